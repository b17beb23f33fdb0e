#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Centre, the end of the first axis, the other half-axis (a number, or a
// point whose distance from the centre gives it). The longer axis is
// stored as the major one, as DXF wants.
class DrawEllipse : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind == ToolEvent::Kind::Point && !center_) {
            center_ = e.at.world;
            return ToolResult::Running;
        }
        if (e.kind == ToolEvent::Kind::Point && !axisEnd_) {
            if (e.at.world == *center_) {
                return refuse(c, "The end of the axis must differ from the centre");
            }
            axisEnd_ = e.at.world;
            return ToolResult::Running;
        }
        std::vector<Entity> made;
        if (e.kind == ToolEvent::Kind::Point) {
            made = sketch(e.at.world);
        } else if (e.kind == ToolEvent::Kind::Number && axisEnd_) {
            made = ellipse(e.number);
        } else {
            return ToolResult::Running;
        }
        if (made.empty()) {
            return refuse(c, "The other half-axis must be greater than 0");
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        if (!center_) {
            return askPoint("centre");
        }
        return axisEnd_ ? askDistance("other half-axis") : askPoint("end of the first axis");
    }
    std::optional<Point2> basePoint() const override { return center_; }
    bool followsPolar() const override { return center_ && !axisEnd_; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        if (axisEnd_) {
            out = ellipse(distance(*center_, cursor));
        } else if (center_) {
            out.emplace_back(LineGeom{at3(*center_), at3(cursor)});
        }
        return out;
    }

  private:
    std::vector<Entity> ellipse(double other) const {
        if (!(other > 0) || !std::isfinite(other)) {
            return {};
        }
        const Point2 axis{axisEnd_->x - center_->x, axisEnd_->y - center_->y};
        const double first = std::hypot(axis.x, axis.y);
        EllipseGeom g;
        g.center = at3(*center_);
        if (other <= first) {
            g.majorAxis = {axis.x, axis.y, 0};
            g.ratio = other / first;
        } else {
            g.majorAxis = {-axis.y / first * other, axis.x / first * other, 0};
            g.ratio = first / other;
        }
        std::vector<Entity> out;
        out.emplace_back(g);
        return out;
    }

    std::optional<Point2> center_, axisEnd_;
};

}  // namespace

std::unique_ptr<Tool> makeEllipse() {
    return std::make_unique<DrawEllipse>();
}

}  // namespace brondel::engine::tools
