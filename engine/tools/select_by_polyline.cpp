#include "engine/region_selection.h"
#include "engine/tools/point_path.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// The points of an open polyline, a fence; Enter selects what it crosses.
class SelectByPolyline : public PointPath {
  public:
    SelectByPolyline() : PointPath("Select By Polyline", 2, false) {}

  protected:
    ToolResult finish(ToolContext& c, const std::vector<Point2>& points) override {
        return selectFound(c, "Select By Polyline", onFence(c.drawing(), points));
    }
};

}  // namespace

std::unique_ptr<Tool> makeSelectByPolyline() {
    return std::make_unique<SelectByPolyline>();
}

}  // namespace brondel::engine::tools
