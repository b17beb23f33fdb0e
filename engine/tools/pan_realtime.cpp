#include "engine/tools/tools.h"
#include "engine/tools/view_drag_tool.h"

namespace brondel::engine::tools {

namespace {

// Dragging moves the drawing with the cursor.
class PanRealtime : public ViewDragTool {
  public:
    PanRealtime() : ViewDragTool("drag to move the view (Enter to end)") {}

  protected:
    void drag(ToolContext& c, const Start& from, Point2 window) override {
        c.setView({from.center.x - (window.x - from.window.x) * from.scale,
                   from.center.y + (window.y - from.window.y) * from.scale},
                  from.scale);
    }
};

}  // namespace

std::unique_ptr<Tool> makePanRealtime() {
    return std::make_unique<PanRealtime>();
}

}  // namespace brondel::engine::tools
