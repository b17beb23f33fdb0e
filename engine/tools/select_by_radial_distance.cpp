#include <cmath>

#include "engine/region_selection.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/point_path.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// A centre, then a radius (a number or a point on the rim): selects what
// lies wholly within the circle.
class SelectByRadialDistance : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind == ToolEvent::Kind::Point && !center_) {
            center_ = e.at.world;
            return ToolResult::Running;
        }
        double radius = 0;
        if (e.kind == ToolEvent::Kind::Point) {
            radius = distance(*center_, e.at.world);
        } else if (e.kind == ToolEvent::Kind::Number) {
            radius = e.number;
        } else {
            return ToolResult::Running;
        }
        if (!(radius > 0) || !std::isfinite(radius)) {
            c.message("Select By Radial Distance: the radius must be greater than 0");
            return ToolResult::Running;
        }
        return selectFound(c, "Select By Radial Distance", inCircle(c.drawing(), *center_, radius));
    }
    ToolAsk ask() const override { return center_ ? askDistance("radius") : askPoint("centre"); }
    std::vector<Entity> preview(Point2 cursor) const override {
        const double r = center_ ? distance(*center_, cursor) : 0;
        if (!(r > 0)) {
            return {};
        }
        return {Entity(CircleGeom{at3(*center_), r})};
    }
    std::optional<Point2> basePoint() const override { return center_; }

  private:
    std::optional<Point2> center_;
};

}  // namespace

std::unique_ptr<Tool> makeSelectByRadialDistance() {
    return std::make_unique<SelectByRadialDistance>();
}

}  // namespace brondel::engine::tools
