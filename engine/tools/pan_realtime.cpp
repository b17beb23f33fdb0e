#include "engine/tools/tools.h"
#include "engine/view.h"

namespace brondel::engine::tools {

namespace {

// Dragging moves the drawing with the cursor.
class PanRealtime : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (e.kind) {
            case ToolEvent::Kind::Enter:
                return ToolResult::Done;
            case ToolEvent::Kind::Point:
                c.rememberView();
                drag_ = Drag{e.at.window, c.view().center()};
                break;
            case ToolEvent::Kind::Move:
                if (drag_) {
                    const double scale = c.view().scale();
                    c.setView({drag_->center.x - (e.at.window.x - drag_->window.x) * scale,
                               drag_->center.y + (e.at.window.y - drag_->window.y) * scale},
                              scale);
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
        a.prompt = "drag to move the view (Enter to end)";
        a.pick = true;
        return a;
    }

  private:
    struct Drag {
        Point2 window, center;
    };
    std::optional<Drag> drag_;
};

}  // namespace

std::unique_ptr<Tool> makePanRealtime() {
    return std::make_unique<PanRealtime>();
}

}  // namespace brondel::engine::tools
