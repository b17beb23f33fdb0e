#include "engine/clipboard.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Puts the selection on the clipboard and erases it, as one step. Entities
// on locked layers are neither taken nor erased.
class Cut : public Tool {
  public:
    ToolResult begin(ToolContext& c) override {
        const Drawing& d = c.drawing();
        for (Handle h : c.selection()) {
            const Entity* e = d.find(h);
            if (!e || e->erased) {
                continue;
            }
            const Layer* layer = d.findLayer(e->props().layer);
            (layer && layer->locked ? locked_ : taken_).push_back(h);
        }
        if (taken_.empty()) {
            c.message("Cut: every picked entity is on a locked layer; nothing is cut");
            return ToolResult::Done;
        }
        return ToolResult::Commit;
    }
    ToolResult update(ToolContext&, const ToolEvent&) override { return ToolResult::Commit; }
    ToolAsk ask() const override { return {}; }
    void apply(ToolContext& c) override {
        Clipboard cut = clipboardOf(c.drawing(), taken_);
        c.clearSelection();
        for (Handle h : taken_) {
            c.erase(h);
        }
        putOnClipboard(std::move(cut));
        std::string said = "Cut: " + std::to_string(taken_.size()) + " entities on the clipboard";
        if (!locked_.empty()) {
            said += "; " + std::to_string(locked_.size()) + " skipped on locked layers";
        }
        c.message(said);
    }

  private:
    std::vector<Handle> taken_, locked_;
};

}  // namespace

std::unique_ptr<Tool> makeCut() {
    return std::make_unique<Cut>();
}

}  // namespace brondel::engine::tools
