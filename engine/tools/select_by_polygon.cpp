#include "engine/region_selection.h"
#include "engine/tools/point_path.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// The points of a closed polygon; Enter selects what lies wholly inside
// it, or after `C` also what crosses its edges (`W` goes back).
class SelectByPolygon : public PointPath {
  public:
    SelectByPolygon() : PointPath("Select By Polygon", 3, true) {}

  protected:
    ToolResult finish(ToolContext& c, const std::vector<Point2>& points) override {
        return selectFound(c, "Select By Polygon", inPolygon(c.drawing(), points, crossing_));
    }
    std::vector<std::string> options() const override {
        return {crossing_ ? "Window" : "Crossing"};
    }
    ToolResult option(ToolContext&, const std::string& name) override {
        crossing_ = name == "Crossing";
        return ToolResult::Running;
    }

  private:
    bool crossing_ = false;
};

}  // namespace

std::unique_ptr<Tool> makeSelectByPolygon() {
    return std::make_unique<SelectByPolygon>();
}

}  // namespace brondel::engine::tools
