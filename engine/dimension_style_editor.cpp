#include "engine/dimension_style_editor.h"

#include <optional>
#include <vector>

#include "engine/dimension_picture.h"
#include "engine/drawing.h"
#include "engine/measure.h"

namespace brondel::engine {

namespace {

// The sizes a typed line names, by the word that starts it.
struct Field {
    const char* word;
    double DimStyle::*size;
};
constexpr Field kFields[] = {
    {"height", &DimStyle::textHeight}, {"arrow", &DimStyle::arrowSize},
    {"offset", &DimStyle::extOffset},  {"extension", &DimStyle::extExtension},
    {"gap", &DimStyle::textGap},       {"centre", &DimStyle::centerMark},
    {"center", &DimStyle::centerMark}, {"scale", &DimStyle::scale},
};

// The dimension laid out again by the style: text where the style puts it,
// and a block of its own drawn anew.
void regenerate(Drawing& drawing, const DimStyle& style) {
    std::vector<Entity> changed;
    for (const Entity& e : drawing.entities()) {
        const auto* g = geomIf<DimensionGeom>(e);
        if (e.erased || !g || !namesDimStyle(style, g->style)) {
            continue;
        }
        DimensionGeom laid = *g;
        finishDimension(laid, style);
        if (const Block* own = drawing.findBlock(laid.block); own && !own->entities.empty()) {
            Block redrawn = *own;
            redrawn.entities = dimensionPicture(laid, style);
            drawing.setBlock(laid.block, std::move(redrawn));
        }
        Entity next = e;
        *geomIf<DimensionGeom>(next) = std::move(laid);
        changed.push_back(std::move(next));
    }
    if (!changed.empty()) {
        drawing.replaceMany(std::move(changed));
    }
}

}  // namespace

const DimStyle& DimStyleEditor::style() const {
    return drawing_.header().dimStyle;
}

std::string DimStyleEditor::apply(const DimStyle& next) {
    if (std::string why = refusedDimStyle(next); !why.empty()) {
        return why;
    }
    DimStyle kept = next;
    kept.name = style().name;  // the dialog edits the current style, not which one it is
    if (kept == style()) {
        return {};
    }
    DrawingHeader header = drawing_.header();
    header.dimStyle = kept;
    Drawing::Step step(drawing_, title());
    drawing_.setHeader(header);
    regenerate(drawing_, kept);
    return {};
}

std::string DimStyleEditor::prompt() const {
    const DimStyle& s = style();
    return "Dimension style " + s.name + ":\rtext height " + shownNumber(s.textHeight) +
           ", arrow " + shownNumber(s.arrowSize) + ", extension offset " +
           shownNumber(s.extOffset) + ", extension " + shownNumber(s.extExtension) + ", text gap " +
           shownNumber(s.textGap) + ", decimals " + std::to_string(s.decimals) + ", text " +
           (s.textAbove ? "above" : "centred") + ", centre mark " + shownNumber(s.centerMark) +
           ", scale " + shownNumber(s.scale) +
           "\rType: height, arrow, offset, extension, gap, centre or scale SIZE; decimals "
           "0-8; text above|centred; nothing to close";
}

std::string DimStyleEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.size() != 2) {
        return w.empty() ? "Nothing typed" : "Not understood: " + line;
    }
    const std::string verb = lowerCase(w[0]);
    DimStyle next = style();
    if (verb == "text") {
        const std::string where = lowerCase(w[1]);
        if (where != "above" && where != "centred" && where != "centered") {
            return "The text is above or centred";
        }
        next.textAbove = where == "above";
        return apply(next);
    }
    const std::optional<double> value = typedNumber(w[1]);
    if (!value) {
        return "Not a number: " + w[1];
    }
    if (verb == "decimals") {
        if (*value != static_cast<int>(*value)) {
            return "Decimals are a whole number from 0 to 8";
        }
        next.decimals = static_cast<int>(*value);
        return apply(next);
    }
    for (const Field& f : kFields) {
        if (verb == f.word) {
            next.*f.size = *value;
            return apply(next);
        }
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
