#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Erases the selection as one step; the picks go with it.
class Erase : public Tool {
  public:
    ToolResult begin(ToolContext&) override { return ToolResult::Commit; }
    ToolResult update(ToolContext&, const ToolEvent&) override { return ToolResult::Commit; }
    ToolAsk ask() const override { return {}; }
    // The picks are dropped before the erase: taking each erased entity out
    // of the selection one by one costs time growing with the square of
    // their number.
    void apply(ToolContext& c) override {
        const std::vector<Handle> picked = c.selection();
        c.clearSelection();
        if (!picked.empty()) {
            c.eraseMany(picked);
        }
    }
};

}  // namespace

std::unique_ptr<Tool> makeErase() {
    return std::make_unique<Erase>();
}

}  // namespace brondel::engine::tools
