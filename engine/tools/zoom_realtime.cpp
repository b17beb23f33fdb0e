#include <cmath>

#include "engine/tools/tools.h"
#include "engine/tools/view_drag_tool.h"

namespace brondel::engine::tools {

namespace {

// Drag distance that doubles or halves the scale.
constexpr double kPixelsPerDoubling = 100;

// Dragging up zooms in, down zooms out, about the point first pressed.
class ZoomRealtime : public ViewDragTool {
  public:
    ZoomRealtime() : ViewDragTool("drag up to zoom in, down to zoom out (Enter to end)") {}

  protected:
    void drag(ToolContext& c, const Start& from, Point2 window) override {
        const View& view = c.view();
        const double factor = std::exp2((from.window.y - window.y) / kPixelsPerDoubling);
        const double scale = from.scale / factor;
        // The point first pressed stays under the place it was pressed at.
        const Point2 center{from.world.x - (from.window.x - view.width() / 2.0) * scale,
                            from.world.y + (from.window.y - view.height() / 2.0) * scale};
        c.setView(center, scale);
    }
};

}  // namespace

std::unique_ptr<Tool> makeZoomRealtime() {
    return std::make_unique<ZoomRealtime>();
}

}  // namespace brondel::engine::tools
