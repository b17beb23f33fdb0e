#include "engine/tools/tools.h"
#include "engine/tools/two_corners.h"

namespace brondel::engine::tools {

namespace {

// Drawn left to right the rectangle is a window: it selects what lies
// wholly inside it; drawn right to left it is a crossing: it also selects
// what it touches.
class SelectByRectangle : public TwoCorners {
  public:
    SelectByRectangle() : TwoCorners(true) {}

  protected:
    ToolResult corners(ToolContext& c, Point2 first, Point2 second) override {
        Box2 box;
        box.add(first.x, first.y);
        box.add(second.x, second.y);
        const int added = c.selectInBox(box, second.x < first.x);
        c.message("Select By Rectangle: " + std::to_string(added) + " selected");
        return ToolResult::Done;
    }
};

}  // namespace

std::unique_ptr<Tool> makeSelectByRectangle() {
    return std::make_unique<SelectByRectangle>();
}

}  // namespace brondel::engine::tools
