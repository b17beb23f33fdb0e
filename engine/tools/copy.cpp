#include "engine/clipboard.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Puts the selection on the clipboard; the drawing stays as it is.
class Copy : public Tool {
  public:
    ToolResult begin(ToolContext& c) override {
        putOnClipboard(clipboardOf(c.drawing(), c.selection()));
        c.message("Copy: " + std::to_string(clipboard().entities.size()) +
                  " entities on the clipboard");
        return ToolResult::Done;
    }
    ToolResult update(ToolContext&, const ToolEvent&) override { return ToolResult::Done; }
    ToolAsk ask() const override { return {}; }
};

}  // namespace

std::unique_ptr<Tool> makeCopy() {
    return std::make_unique<Copy>();
}

}  // namespace brondel::engine::tools
