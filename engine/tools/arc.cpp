#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// The arc from a through b to c, stored counter-clockwise; nothing when the
// three are collinear or two of them coincide.
std::vector<Entity> arcThrough(Point2 a, Point2 b, Point2 c) {
    const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    const double span = std::max({distance(a, b), distance(b, c), distance(a, c)});
    if (!(std::abs(d) > 1e-12 * span * span)) {
        return {};
    }
    const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    const Point2 center{(a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
                        (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d};
    // d > 0: a, b, c turn counter-clockwise, so the arc runs from a to c.
    const Point2 from = d > 0 ? a : c, to = d > 0 ? c : a;
    ArcGeom g;
    g.center = at3(center);
    g.radius = distance(center, a);
    g.startAngle = std::atan2(from.y - center.y, from.x - center.x);
    double sweep = std::atan2(to.y - center.y, to.x - center.x) - g.startAngle;
    while (sweep <= 0) {
        sweep += kTwoPi;
    }
    g.angle = sweep;
    if (g.startAngle < 0) {
        g.startAngle += kTwoPi;
    }
    std::vector<Entity> out;
    out.emplace_back(g);
    return out;
}

// Start, a point on the arc, end.
class DrawArc : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (points_.size() < 2) {
            if (!points_.empty() && points_.back() == e.at.world) {
                return refuse(c, "Draw Arc: that is the point before; give another");
            }
            points_.push_back(e.at.world);
            return ToolResult::Running;
        }
        std::vector<Entity> made = sketch(e.at.world);
        if (made.empty()) {
            return refuse(c, "The three points lie on one line: no arc passes through them");
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        static const char* const prompts[] = {"start point", "point on the arc", "end point"};
        return askPoint(prompts[points_.size()]);
    }
    std::optional<Point2> basePoint() const override {
        return points_.empty() ? std::nullopt : std::optional(points_.back());
    }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        if (points_.size() == 1) {
            out.emplace_back(LineGeom{at3(points_[0]), at3(cursor)});
        } else if (points_.size() == 2) {
            out = arcThrough(points_[0], points_[1], cursor);
        }
        return out;
    }

  private:
    std::vector<Point2> points_;
};

}  // namespace

std::unique_ptr<Tool> makeArc() {
    return std::make_unique<DrawArc>();
}

}  // namespace brondel::engine::tools
