#include "engine/explode.h"
#include "engine/drawing.h"
#include "engine/tools/selection_transform.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Curves become straight segments within this, as Prep Drawing's explode.
constexpr double kChordTolerance = 0.01;

// Breaks each compound entity of the selection into its parts, one nesting
// level, as one step; the rest stay as they are.
class Explode : public Tool {
  public:
    ToolResult begin(ToolContext& c) override {
        const Drawing& drawing = c.drawing();
        int unchanged = 0;
        for (Handle h : c.selection()) {
            const Entity* e = drawing.find(h);
            if (!e || e->erased) {
                continue;
            }
            const Layer* layer = drawing.findLayer(e->props().layer);
            if (layer && layer->locked) {
                ++plan_.skipped;
                continue;
            }
            std::vector<Entity> parts = explodeEntity(*e, drawing, kChordTolerance);
            if (parts.empty()) {
                ++unchanged;
            } else {
                plan_.results.push_back({h, std::move(parts)});
            }
        }
        reportSkipped(c, "Explode", plan_.skipped);
        c.message("Explode: " + std::to_string(plan_.results.size()) + " exploded" +
                  (unchanged > 0 ? ", " + std::to_string(unchanged) + " cannot be" : ""));
        return plan_.results.empty() ? ToolResult::Done : ToolResult::Commit;
    }
    ToolResult update(ToolContext&, const ToolEvent&) override { return ToolResult::Done; }
    ToolAsk ask() const override { return {}; }
    void apply(ToolContext& c) override {
        // A lone part still takes its source's place as a new entity.
        for (TransformPlan::Result& r : plan_.results) {
            c.erase(r.source);
            for (Entity& part : r.made) {
                c.addAsIs(std::move(part));
            }
        }
        c.clearSelection();
    }

  private:
    TransformPlan plan_;
};

}  // namespace

std::unique_ptr<Tool> makeExplode() {
    return std::make_unique<Explode>();
}

}  // namespace brondel::engine::tools
