#include "engine/entity_properties.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "base/error.h"
#include "engine/shape.h"

namespace brondel::engine {

namespace {

constexpr std::array<std::int16_t, 24> kStandardWeights = {0,  5,   9,   13,  15,  18,  20,  25,
                                                           30, 35,  40,  50,  53,  60,  70,  80,
                                                           90, 100, 106, 120, 140, 158, 200, 211};
constexpr std::int16_t kFirstStandardColor = 1;
constexpr std::int16_t kLastStandardColor = 7;
constexpr std::int32_t kLargestTrueColor = 0xffffff;

PropertyShape shapeOf(EntityType type) {
    switch (type) {
        case EntityType::Line:
            return PropertyShape::Line;
        case EntityType::Arc:
            return PropertyShape::Arc;
        case EntityType::Circle:
            return PropertyShape::Circle;
        case EntityType::Point:
            return PropertyShape::Point;
        case EntityType::Text:
            return PropertyShape::Text;
        default:
            return PropertyShape::Other;
    }
}

bool finite(const Point3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

void requireFinite(const Point3& p, const char* what) {
    if (!finite(p)) {
        throw Error(err::kBadArgument, std::string("The ") + what + " must be a number");
    }
}

void requireAboveZero(double value, const char* what) {
    if (!std::isfinite(value) || value <= 0) {
        throw Error(err::kBadArgument, std::string("The ") + what + " must be above zero");
    }
}

void checkColor(const Color& color) {
    if (color.aci < 0 || color.aci > Color::kByLayer) {
        throw Error(err::kBadArgument, "Colour numbers run from 0 to 256");
    }
    if (color.trueColor < -1 || color.trueColor > kLargestTrueColor) {
        throw Error(err::kBadArgument, "A true colour is a value from 0 to FFFFFF");
    }
}

void checkLineType(const Drawing& drawing, const std::string& lineType) {
    const std::vector<std::string> known = lineTypeChoices(drawing);
    if (std::find(known.begin(), known.end(), lineType) == known.end()) {
        throw Error(err::kBadArgument, "No line type named \"" + lineType + "\"");
    }
}

void checkLineWeight(std::int16_t weight) {
    const auto& known = lineWeightChoices();
    if (std::find(known.begin(), known.end(), weight) == known.end()) {
        throw Error(err::kBadArgument,
                    "Line weight " + std::to_string(weight) + " is not a standard line weight");
    }
}

void checkLayer(const Drawing& drawing, const std::string& layer) {
    if (!drawing.findLayer(layer)) {
        throw Error(err::kNoSuchLayer, "No layer named \"" + layer + "\"");
    }
}

// Only what the edit changes is checked: an entity read from a file may
// carry a value we would not offer, and keeping it is no fault.
void checkProps(const Drawing& drawing, const EntityProps& before, const EntityProps& props) {
    if (props.layer != before.layer) {
        checkLayer(drawing, props.layer);
    }
    if (props.color != before.color) {
        checkColor(props.color);
    }
    if (props.lineType != before.lineType) {
        checkLineType(drawing, props.lineType);
    }
    if (props.lineWeight != before.lineWeight) {
        checkLineWeight(props.lineWeight);
    }
}

// The entity with the edited defining values written in; checks them first.
void writeGeometry(Entity& e, const EntityProperties& edited) {
    if (auto* line = geomIf<LineGeom>(e)) {
        requireFinite(edited.p1, "start point");
        requireFinite(edited.p2, "end point");
        line->p1 = edited.p1;
        line->p2 = edited.p2;
    } else if (auto* arc = geomIf<ArcGeom>(e)) {
        requireFinite(edited.center, "centre");
        requireAboveZero(edited.radius, "radius");
        if (!std::isfinite(edited.startAngle) || !std::isfinite(edited.angle) ||
            edited.angle == 0 || std::abs(edited.angle) > kTwoPi) {
            throw Error(err::kBadArgument,
                        "An arc's angle must be more than nothing and at most a full turn");
        }
        arc->center = edited.center;
        arc->radius = edited.radius;
        arc->startAngle = edited.startAngle;
        arc->angle = edited.angle;
    } else if (auto* circle = geomIf<CircleGeom>(e)) {
        requireFinite(edited.center, "centre");
        requireAboveZero(edited.radius, "radius");
        circle->center = edited.center;
        circle->radius = edited.radius;
    } else if (auto* point = geomIf<PointGeom>(e)) {
        requireFinite(edited.p1, "position");
        point->p = edited.p1;
    } else if (auto* text = geomIf<TextGeom>(e)) {
        requireFinite(edited.p1, "insertion point");
        requireAboveZero(edited.height, "text height");
        if (edited.text.find_first_of("\r\n") != std::string::npos) {
            throw Error(err::kBadArgument, "A single-line text cannot hold a line break");
        }
        // The second alignment point moves with the text.
        text->alignPoint = text->alignPoint + (edited.p1 - text->p);
        text->p = edited.p1;
        text->height = edited.height;
        text->text = edited.text;
    }
}

void checkLive(const Drawing& drawing, const std::vector<Handle>& handles) {
    for (Handle h : handles) {
        if (drawing.entity(h).erased) {
            throw Error(err::kEntityErased);
        }
    }
}

template <class Change>
std::size_t changeEach(Drawing& drawing, const std::vector<Handle>& handles, const char* label,
                       const Change& change) {
    std::size_t changed = 0;
    Drawing::Step step(drawing, label);
    for (Handle h : handles) {
        Entity e = drawing.entity(h);
        EntityProps props = e.props();
        if (change(props)) {
            e.setProps(std::move(props));
            drawing.replace(h, std::move(e));
            ++changed;
        }
    }
    return changed;
}

// The values a properties window shows, without the extent.
EntityProperties valuesOf(const Entity& e) {
    EntityProperties p;
    p.type = e.type();
    p.shape = shapeOf(p.type);
    p.props = e.props();
    if (const auto* line = geomIf<LineGeom>(e)) {
        p.p1 = line->p1;
        p.p2 = line->p2;
    } else if (const auto* arc = geomIf<ArcGeom>(e)) {
        p.center = arc->center;
        p.radius = arc->radius;
        p.startAngle = arc->startAngle;
        p.angle = arc->angle;
    } else if (const auto* circle = geomIf<CircleGeom>(e)) {
        p.center = circle->center;
        p.radius = circle->radius;
        p.angle = kTwoPi;
    } else if (const auto* point = geomIf<PointGeom>(e)) {
        p.p1 = point->p;
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        p.p1 = text->p;
        p.height = text->height;
        p.text = text->text;
    }
    return p;
}

bool sameValues(const EntityProperties& a, const EntityProperties& b) {
    return a.props == b.props && a.p1 == b.p1 && a.p2 == b.p2 && a.center == b.center &&
           a.radius == b.radius && a.startAngle == b.startAngle && a.angle == b.angle &&
           a.height == b.height && a.text == b.text;
}

std::string decimal(double value, int places) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

}  // namespace

EntityProperties readProperties(const Drawing& drawing, Handle h) {
    const Entity& e = drawing.entity(h);
    EntityProperties p = valuesOf(e);
    p.box = boundingBox(e, drawing);
    return p;
}

bool applyProperties(Drawing& drawing, Handle h, const EntityProperties& edited) {
    checkLive(drawing, {h});
    Entity e = drawing.entity(h);
    if (shapeOf(e.type()) != edited.shape) {
        throw Error(err::kWrongEntityKind, std::string("The entity is a ") + typeName(e.type()));
    }
    checkProps(drawing, e.props(), edited.props);
    const EntityProperties before = valuesOf(e);
    e.setProps(edited.props);
    writeGeometry(e, edited);
    if (sameValues(before, valuesOf(e))) {
        return false;
    }
    Drawing::Step step(drawing, "Properties");
    drawing.replace(h, std::move(e));
    return true;
}

std::vector<Color> colorChoices(const Drawing& drawing) {
    std::vector<Color> colors{Color{Color::kByLayer, -1}, Color{Color::kByBlock, -1}};
    for (std::int16_t aci = kFirstStandardColor; aci <= kLastStandardColor; ++aci) {
        colors.push_back(Color{aci, -1});
    }
    for (const Layer& layer : drawing.layers()) {
        Color c = layer.color;
        c.aci = static_cast<std::int16_t>(std::abs(c.aci));  // a layer that is off has it negative
        if (std::find(colors.begin(), colors.end(), c) == colors.end()) {
            colors.push_back(c);
        }
    }
    return colors;
}

std::vector<std::string> lineTypeChoices(const Drawing& drawing) {
    std::vector<std::string> names{"", kByBlockLineType, kContinuousLineType};
    for (const LineType& type : drawing.lineTypes()) {
        if (std::find(names.begin(), names.end(), type.name) == names.end() &&
            type.name != "BYLAYER") {
            names.push_back(type.name);
        }
    }
    return names;
}

const std::vector<std::int16_t>& lineWeightChoices() {
    static const std::vector<std::int16_t> weights = [] {
        std::vector<std::int16_t> w{lineweight::kByLayer, lineweight::kByBlock,
                                    lineweight::kDefault};
        w.insert(w.end(), kStandardWeights.begin(), kStandardWeights.end());
        return w;
    }();
    return weights;
}

std::string colorName(const Color& color) {
    static const char* const kNames[] = {"Red",  "Yellow",  "Green", "Cyan",
                                         "Blue", "Magenta", "White"};
    if (color.trueColor >= 0) {
        return "RGB " + std::to_string((color.trueColor >> 16) & 0xff) + "," +
               std::to_string((color.trueColor >> 8) & 0xff) + "," +
               std::to_string(color.trueColor & 0xff);
    }
    if (color.aci == Color::kByLayer) {
        return "BYLAYER";
    }
    if (color.aci == Color::kByBlock) {
        return "BYBLOCK";
    }
    if (color.aci >= kFirstStandardColor && color.aci <= kLastStandardColor) {
        return kNames[color.aci - kFirstStandardColor];
    }
    return "Color " + std::to_string(color.aci);
}

std::string lineTypeName(const std::string& lineType) {
    return lineType.empty() ? "BYLAYER" : lineType;
}

std::string lineWeightName(std::int16_t weight) {
    switch (weight) {
        case lineweight::kByLayer:
            return "BYLAYER";
        case lineweight::kByBlock:
            return "BYBLOCK";
        case lineweight::kDefault:
            return "DEFAULT";
        default:
            return decimal(weight / 100.0, 2) + " mm";
    }
}

SharedProps sharedProps(const Drawing& drawing, const std::vector<Handle>& handles) {
    SharedProps shared;
    if (handles.empty()) {
        return shared;
    }
    const EntityProps& first = drawing.entity(handles.front()).props();
    shared.color = first.color;
    shared.lineType = first.lineType;
    shared.lineWeight = first.lineWeight;
    for (Handle h : handles) {
        const EntityProps& p = drawing.entity(h).props();
        if (shared.color && *shared.color != p.color) {
            shared.color.reset();
        }
        if (shared.lineType && *shared.lineType != p.lineType) {
            shared.lineType.reset();
        }
        if (shared.lineWeight && *shared.lineWeight != p.lineWeight) {
            shared.lineWeight.reset();
        }
        if (!shared.color && !shared.lineType && !shared.lineWeight) {
            break;
        }
    }
    return shared;
}

std::size_t setColor(Drawing& drawing, const std::vector<Handle>& handles, const Color& color) {
    checkColor(color);
    checkLive(drawing, handles);
    return changeEach(drawing, handles, "Colour", [&](EntityProps& p) {
        return p.color != color ? (p.color = color, true) : false;
    });
}

std::size_t setLineType(Drawing& drawing, const std::vector<Handle>& handles,
                        const std::string& lineType) {
    checkLineType(drawing, lineType);
    checkLive(drawing, handles);
    return changeEach(drawing, handles, "Line Type", [&](EntityProps& p) {
        return p.lineType != lineType ? (p.lineType = lineType, true) : false;
    });
}

std::size_t setLineWeight(Drawing& drawing, const std::vector<Handle>& handles,
                          std::int16_t weight) {
    checkLineWeight(weight);
    checkLive(drawing, handles);
    return changeEach(drawing, handles, "Line Weight", [&](EntityProps& p) {
        return p.lineWeight != weight ? (p.lineWeight = weight, true) : false;
    });
}

std::size_t setLayer(Drawing& drawing, const std::vector<Handle>& handles,
                     const std::string& layer) {
    checkLayer(drawing, layer);
    checkLive(drawing, handles);
    Drawing::Step step(drawing, "Layer");
    drawing.setCurrentLayer(layer);
    return changeEach(drawing, handles, "Layer", [&](EntityProps& p) {
        return p.layer != layer ? (p.layer = layer, true) : false;
    });
}

}  // namespace brondel::engine
