#include "engine/tools/tools.h"
#include "engine/view.h"

namespace brondel::engine::tools {

namespace {

// One press: the view is centred there.
class PanToPoint : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        c.rememberView();
        c.setView(e.at.world, c.view().scale());
        return ToolResult::Done;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = "new centre of the view";
        a.point = true;
        return a;
    }
};

}  // namespace

std::unique_ptr<Tool> makePanToPoint() {
    return std::make_unique<PanToPoint>();
}

}  // namespace brondel::engine::tools
