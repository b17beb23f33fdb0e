#pragma once

#include <optional>
#include <string>
#include <utility>

#include "engine/tool.h"
#include "engine/view.h"

namespace brondel::engine::tools {

// A tool that changes the view while the button is held: a press takes the
// view as it stands, each move sets the view for the drag from there, a
// release lets go, Enter ends.
class ViewDragTool : public Tool {
  public:
    explicit ViewDragTool(std::string prompt) : prompt_(std::move(prompt)) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        switch (e.kind) {
            case ToolEvent::Kind::Enter:
                return ToolResult::Done;
            case ToolEvent::Kind::Point:
                c.rememberView();
                start_ = Start{e.at.window, c.view().toWorld(e.at.window.x, e.at.window.y),
                               c.view().center(), c.view().scale()};
                break;
            case ToolEvent::Kind::Move:
                if (start_) {
                    drag(c, *start_, e.at.window);
                }
                break;
            case ToolEvent::Kind::Release:
                start_.reset();
                break;
            default:
                break;
        }
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = prompt_;
        a.pick = true;
        return a;
    }

  protected:
    // Where the press was, in the window and in the drawing, and the view then.
    struct Start {
        Point2 window, world, center;
        double scale;
    };
    virtual void drag(ToolContext& c, const Start& from, Point2 window) = 0;

  private:
    std::string prompt_;
    std::optional<Start> start_;
};

}  // namespace brondel::engine::tools
