#include "engine/drawing.h"
#include "engine/tools/point_path.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Selects every entity on the current layer at once.
class SelectCurrentLayer : public Tool {
  public:
    ToolResult begin(ToolContext& c) override {
        const std::string& layer = c.drawing().currentLayer();
        std::vector<Handle> found;
        for (const Entity& e : c.drawing().entities()) {
            if (!e.erased && e.props().layer == layer) {
                found.push_back(e.handle);
            }
        }
        return selectFound(c, "Select Current Layer", found);
    }
    ToolResult update(ToolContext&, const ToolEvent&) override { return ToolResult::Done; }
    ToolAsk ask() const override { return {}; }
};

}  // namespace

std::unique_ptr<Tool> makeSelectCurrentLayer() {
    return std::make_unique<SelectCurrentLayer>();
}

}  // namespace brondel::engine::tools
