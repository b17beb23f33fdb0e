#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/dimension_picture.h"
#include "engine/drawing.h"
#include "engine/tools/draw_tool.h"

// What the dimension tools share: the entity they make, and the arcs,
// circles and lines they pick.
namespace brondel::engine::tools {

// A dimension measured and laid out by the default style, as the preview
// shows it; DimensionTool lays it out by the drawing's style when it is added.
inline Entity dimensionEntity(DimensionGeom g) {
    g.dimType |= dimkind::kOwnBlock;
    finishDimension(g, DimStyle{});
    return Entity(std::move(g));
}

// A tool that makes dimensions: they are laid out by the drawing's current
// style when they are added.
class DimensionTool : public DrawTool {
  public:
    void apply(ToolContext& c) override {
        const DimStyle& style = c.drawing().header().dimStyle;
        for (Entity e : made()) {
            if (auto* g = geomIf<DimensionGeom>(e)) {
                g->style = style.name;
                finishDimension(*g, style);
            }
            c.add(e);
        }
    }
};

// The geometry of kind G at the pressed window point, or nullptr.
template <class G>
const G* pickedGeom(const ToolContext& c, Point2 window) {
    const Entity* e = c.drawing().find(c.entityAt(window));
    return e ? geomIf<G>(*e) : nullptr;
}

// The circle, or the arc's circle, at the pressed window point.
inline std::optional<CircleGeom> pickedRound(const ToolContext& c, Point2 window) {
    if (const auto* g = pickedGeom<CircleGeom>(c, window)) {
        return *g;
    }
    if (const auto* g = pickedGeom<ArcGeom>(c, window)) {
        return CircleGeom{g->center, g->radius};
    }
    return std::nullopt;
}

inline ToolAsk askPick(std::string prompt) {
    ToolAsk a;
    a.prompt = std::move(prompt);
    a.pick = true;
    return a;
}

// Two extension-line origins, then where the dimension line lies; the
// dimension follows the cursor meanwhile.
class TwoOriginDimension : public DimensionTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind == ToolEvent::Kind::Option) {
            option(e.text);
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!first_) {
            first_ = e.at.world;
        } else if (!second_) {
            if (distance(*first_, e.at.world) <= 0) {
                return refuse(c, "The second origin is the first one");
            }
            second_ = e.at.world;
        } else {
            std::vector<Entity> made = sketch(e.at.world);
            if (made.empty()) {
                return refuse(c, "The dimension would measure nothing");
            }
            keep(std::move(made));
            return ToolResult::Commit;
        }
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        if (!first_) {
            return askPoint("first extension line origin");
        }
        if (!second_) {
            return askPoint("second extension line origin");
        }
        ToolAsk a = askPoint("dimension line location");
        a.options = options();
        return a;
    }
    std::optional<Point2> basePoint() const override { return second_ ? second_ : first_; }

  protected:
    // The dimension with its line through `at`; nothing when it measures 0.
    virtual std::optional<DimensionGeom> dimension(Point2 a, Point2 b, Point2 at) const = 0;
    virtual std::vector<std::string> options() const { return {}; }
    virtual void option(const std::string&) {}

    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        if (!first_) {
            return out;
        }
        if (!second_) {
            out.emplace_back(LineGeom{at3(*first_), at3(cursor)});
            return out;
        }
        if (std::optional<DimensionGeom> g = dimension(*first_, *second_, cursor)) {
            Entity e = dimensionEntity(std::move(*g));
            if (geomIf<DimensionGeom>(e)->measurement > 0) {
                out.push_back(std::move(e));
            }
        }
        return out;
    }

  private:
    std::optional<Point2> first_, second_;
};

}  // namespace brondel::engine::tools
