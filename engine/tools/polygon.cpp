#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

constexpr int kMinSides = 3, kMaxSides = 1024;

// Sides, centre, inscribed or circumscribed, radius: a closed polyline
// whose first vertex lies at angle 0, or towards the point given as the
// radius. Circumscribed, the radius reaches the middle of the sides.
class DrawPolygon : public DrawTool {
  public:
    ToolResult begin(ToolContext& c) override {
        sides_ = c.settings().polygonSides;
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (stage_) {
            case Stage::Sides:
                if (e.kind == ToolEvent::Kind::Number) {
                    if (e.number != std::round(e.number) || e.number < kMinSides ||
                        e.number > kMaxSides) {
                        return refuse(c, "A polygon has from 3 to 1024 sides");
                    }
                    sides_ = static_cast<int>(e.number);
                } else if (e.kind != ToolEvent::Kind::Enter) {
                    return ToolResult::Running;
                }
                c.settings().polygonSides = sides_;
                stage_ = Stage::Center;
                return ToolResult::Running;
            case Stage::Center:
                if (e.kind == ToolEvent::Kind::Enter) {
                    return ToolResult::Cancel;
                }
                if (e.kind == ToolEvent::Kind::Point) {
                    center_ = e.at.world;
                    stage_ = Stage::Kind;
                }
                return ToolResult::Running;
            case Stage::Kind:
                if (e.kind == ToolEvent::Kind::Option) {
                    circumscribed_ = e.text == "Circumscribed";
                } else if (e.kind != ToolEvent::Kind::Enter) {
                    return ToolResult::Running;
                }
                stage_ = Stage::Radius;
                return ToolResult::Running;
            case Stage::Radius:
                break;
        }
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        std::vector<Entity> made;
        if (e.kind == ToolEvent::Kind::Point) {
            made = sketch(e.at.world);
        } else if (e.kind == ToolEvent::Kind::Number) {
            made = polygon(e.number, 0);
        } else {
            return ToolResult::Running;
        }
        if (made.empty()) {
            return refuse(c, "The radius must be greater than 0");
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        switch (stage_) {
            case Stage::Sides:
                a.prompt = "number of sides";
                a.number = true;
                a.fallback = std::to_string(sides_);
                return a;
            case Stage::Center:
                return askPoint("centre");
            case Stage::Kind:
                a.prompt = "inscribed in or circumscribed about a circle";
                a.options = {"Inscribed", "Circumscribed"};
                a.fallback = "I";
                return a;
            case Stage::Radius:
                break;
        }
        return askDistance("radius");
    }
    std::optional<Point2> basePoint() const override { return center_; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        if (stage_ != Stage::Radius) {
            return {};
        }
        return polygon(distance(*center_, cursor),
                       std::atan2(cursor.y - center_->y, cursor.x - center_->x));
    }

  private:
    std::vector<Entity> polygon(double radius, double angle) const {
        if (!(radius > 0) || !std::isfinite(radius)) {
            return {};
        }
        const double reach = circumscribed_ ? radius / std::cos(kPi / sides_) : radius;
        PolylineGeom g;
        g.closed = true;
        for (int i = 0; i < sides_; ++i) {
            const double a = angle + kTwoPi * i / sides_;
            g.vertices.push_back(
                {center_->x + reach * std::cos(a), center_->y + reach * std::sin(a), 0, 0});
        }
        std::vector<Entity> out;
        out.emplace_back(std::move(g));
        return out;
    }

    enum class Stage { Sides, Center, Kind, Radius };
    Stage stage_ = Stage::Sides;
    int sides_ = 4;
    bool circumscribed_ = false;
    std::optional<Point2> center_;
};

}  // namespace

std::unique_ptr<Tool> makePolygon() {
    return std::make_unique<DrawPolygon>();
}

}  // namespace brondel::engine::tools
