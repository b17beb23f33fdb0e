#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Each press adds the entity under it to the selection.
class SelectByPoint : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Done;
        }
        if (e.kind == ToolEvent::Kind::Point) {
            const Handle h = c.entityAt(e.at.window);
            if (h == kNoHandle) {
                c.message("Select By Point: nothing there");
            } else {
                c.select(h);
            }
        }
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = "pick entities (Enter to end)";
        a.pick = true;
        return a;
    }
};

}  // namespace

std::unique_ptr<Tool> makeSelectByPoint() {
    return std::make_unique<SelectByPoint>();
}

}  // namespace brondel::engine::tools
