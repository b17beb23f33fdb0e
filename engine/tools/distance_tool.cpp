#include <cmath>

#include "engine/measure.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Two points: their distance, the differences of their coordinates and
// the angle of the second seen from the first, in the command window.
class DistanceTool : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!first_) {
            first_ = e.at.world;
            return ToolResult::Running;
        }
        const double dx = e.at.world.x - first_->x, dy = e.at.world.y - first_->y;
        double angle = std::atan2(dy, dx) * 180 / kPi;
        if (angle < 0) {
            angle += 360;
        }
        c.message("Distance Tool: distance " + shownNumber(std::hypot(dx, dy)) + ", \u0394X " +
                  shownNumber(dx) + ", \u0394Y " + shownNumber(dy) + ", angle " +
                  shownNumber(angle) + "\u00b0");
        return ToolResult::Done;
    }
    ToolAsk ask() const override { return askPoint(first_ ? "second point" : "first point"); }
    std::vector<Entity> preview(Point2 cursor) const override {
        if (!first_) {
            return {};
        }
        return {Entity(LineGeom{at3(*first_), at3(cursor)})};
    }
    std::optional<Point2> basePoint() const override { return first_; }
    bool followsPolar() const override { return true; }

  private:
    std::optional<Point2> first_;
};

}  // namespace

std::unique_ptr<Tool> makeDistanceTool() {
    return std::make_unique<DistanceTool>();
}

}  // namespace brondel::engine::tools
