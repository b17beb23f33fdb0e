#include "engine/drawing.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// A press on an entity makes its layer the current one, as one step.
class CurrentLayer : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        const Handle h = c.entityAt(e.at.window);
        if (h == kNoHandle) {
            c.message("Current Layer: nothing there");
            return ToolResult::Running;
        }
        layer_ = c.drawing().entity(h).props().layer;
        if (layer_ == c.drawing().currentLayer()) {
            c.message("Current Layer: " + layer_ + " is already the current layer");
            return ToolResult::Done;
        }
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = "pick an entity on the layer to make current";
        a.pick = true;
        return a;
    }
    void apply(ToolContext& c) override {
        c.setCurrentLayer(layer_);
        c.message("Current Layer: " + layer_ + " is the current layer");
    }

  private:
    std::string layer_;
};

}  // namespace

std::unique_ptr<Tool> makeCurrentLayer() {
    return std::make_unique<CurrentLayer>();
}

}  // namespace brondel::engine::tools
