#include "engine/tools/tools.h"
#include "engine/tools/transform_tool.h"

namespace brondel::engine::tools {

namespace {

// The reflection in the line through a along d (d not zero).
Affine reflection(Point2 a, Point2 d) {
    const double l2 = d.x * d.x + d.y * d.y;
    Affine r;
    r.a = (d.x * d.x - d.y * d.y) / l2;
    r.b = 2 * d.x * d.y / l2;
    r.c = r.b;
    r.d = -r.a;
    return Affine::translation(a.x, a.y) * r * Affine::translation(-a.x, -a.y);
}

// Mirrors the selection in a line of two points; the sources stay unless
// the user asks to erase them. Texts keep reading the right way round.
class Mirror : public TransformTool {
  public:
    Mirror() : TransformTool("Mirror", "first point of the mirror line") {}

    void apply(ToolContext& c) override {
        if (eraseSource_) {
            replaceSources(c, plan_);
        } else {
            addCopies(c, plan_);
        }
        c.clearSelection();
    }

  protected:
    ToolResult next(ToolContext& c, const ToolEvent& e) override {
        if (second_) {
            if (e.kind == ToolEvent::Kind::Option || e.kind == ToolEvent::Kind::Enter) {
                eraseSource_ = e.kind == ToolEvent::Kind::Option && e.text == "Yes";
                return finish(c, *cursorMap(*second_));
            }
            return ToolResult::Running;
        }
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!cursorMap(e.at.world)) {
            return refuse(c, "the mirror line has no length; give another second point");
        }
        second_ = e.at.world;
        return ToolResult::Running;
    }
    ToolAsk nextAsk() const override {
        ToolAsk a;
        if (second_) {
            a.prompt = "erase the source objects?";
            a.options = {"Yes", "No"};
            a.fallback = "No";
        } else {
            a.prompt = "second point of the mirror line";
            a.point = true;
        }
        return a;
    }
    std::optional<Affine> cursorMap(Point2 cursor) const override {
        const Point2 to = second_.value_or(cursor);
        const Point2 d{to.x - base().x, to.y - base().y};
        if (!(d.x * d.x + d.y * d.y > 0) || !std::isfinite(d.x) || !std::isfinite(d.y)) {
            return std::nullopt;
        }
        return reflection(base(), d);
    }

  private:
    std::optional<Point2> second_;
    bool eraseSource_ = false;
};

}  // namespace

std::unique_ptr<Tool> makeMirror() {
    return std::make_unique<Mirror>();
}

}  // namespace brondel::engine::tools
