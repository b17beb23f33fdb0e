#include <cmath>

#include "engine/tools/tools.h"
#include "engine/view.h"

namespace brondel::engine::tools {

namespace {

// Drag distance that doubles or halves the scale.
constexpr double kPixelsPerDoubling = 100;

// Dragging up zooms in, down zooms out, about the point first pressed.
class ZoomRealtime : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (e.kind) {
            case ToolEvent::Kind::Enter:
                return ToolResult::Done;
            case ToolEvent::Kind::Point:
                c.rememberView();
                drag_ = Drag{e.at.window, c.view().toWorld(e.at.window.x, e.at.window.y),
                             c.view().scale()};
                break;
            case ToolEvent::Kind::Move:
                if (drag_) {
                    follow(c, e.at.window);
                }
                break;
            case ToolEvent::Kind::Release:
                drag_.reset();
                break;
            default:
                break;
        }
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = "drag up to zoom in, down to zoom out (Enter to end)";
        a.pick = true;
        return a;
    }

  private:
    void follow(ToolContext& c, Point2 window) {
        const View& view = c.view();
        const double factor = std::exp2((drag_->window.y - window.y) / kPixelsPerDoubling);
        const double scale = drag_->scale / factor;
        // The point first pressed stays under the place it was pressed at.
        const Point2 center{drag_->world.x - (drag_->window.x - view.width() / 2.0) * scale,
                            drag_->world.y + (drag_->window.y - view.height() / 2.0) * scale};
        c.setView(center, scale);
    }

    struct Drag {
        Point2 window, world;
        double scale;
    };
    std::optional<Drag> drag_;
};

}  // namespace

std::unique_ptr<Tool> makeZoomRealtime() {
    return std::make_unique<ZoomRealtime>();
}

}  // namespace brondel::engine::tools
