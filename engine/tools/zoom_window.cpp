#include "engine/tools/tools.h"
#include "engine/tools/two_corners.h"

namespace brondel::engine::tools {

namespace {

// The view then fits the rectangle between the two corners.
class ZoomWindow : public TwoCorners {
  public:
    ZoomWindow() : TwoCorners(false) {}

  protected:
    ToolResult corners(ToolContext& c, Point2 first, Point2 second) override {
        if (second == first) {
            c.message("Zoom Window: the corners are the same point");
            return ToolResult::Running;
        }
        Box2 box;
        box.add(first.x, first.y);
        box.add(second.x, second.y);
        c.zoomToBox(box);
        return ToolResult::Done;
    }
};

}  // namespace

std::unique_ptr<Tool> makeZoomWindow() {
    return std::make_unique<ZoomWindow>();
}

}  // namespace brondel::engine::tools
