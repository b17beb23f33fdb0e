#include "engine/tools/tools.h"
#include "engine/tools/transform_tool.h"

namespace brondel::engine::tools {

namespace {

// Leaves a copy of the selection at each second point, moved by its
// difference from the base point; Enter keeps them all as one step.
class DropCopy : public TransformTool {
  public:
    DropCopy() : TransformTool("Drop Copy") {}

    void apply(ToolContext& c) override {
        addCopies(c, plan_);
        c.clearSelection();
    }

  protected:
    ToolResult next(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return placed_.empty() ? ToolResult::Cancel : planAll(c);
        }
        if (e.kind == ToolEvent::Kind::Option && !placed_.empty()) {  // Undo
            placed_.pop_back();
        } else if (e.kind == ToolEvent::Kind::Point) {
            placed_.push_back(*cursorMap(e.at.world));
        }
        return ToolResult::Running;
    }
    ToolAsk nextAsk() const override {
        ToolAsk a;
        a.prompt = placed_.empty() ? "second point" : "next second point (Enter to end)";
        a.point = true;
        a.options = {"Undo"};
        return a;
    }
    std::optional<Affine> cursorMap(Point2 cursor) const override {
        return Affine::translation(cursor.x - base().x, cursor.y - base().y);
    }
    std::vector<Entity> preview(Point2 cursor) const override {
        std::vector<Entity> shown = TransformTool::preview(cursor);
        for (const Affine& m : placed_) {
            if (shown.size() >= kPreviewLimit) {
                break;
            }
            std::vector<Entity> more = previewTransform(*drawing_, picked_, m);
            shown.insert(shown.end(), std::make_move_iterator(more.begin()),
                         std::make_move_iterator(more.end()));
        }
        return shown;
    }

  private:
    ToolResult planAll(ToolContext& c) {
        for (const Affine& m : placed_) {
            TransformPlan one = planTransform(*drawing_, picked_, m);
            plan_.skipped = one.skipped;
            plan_.results.insert(plan_.results.end(), std::make_move_iterator(one.results.begin()),
                                 std::make_move_iterator(one.results.end()));
        }
        reportSkipped(c, caption_, plan_.skipped);
        return plan_.results.empty() ? ToolResult::Done : ToolResult::Commit;
    }

    std::vector<Affine> placed_;
};

}  // namespace

std::unique_ptr<Tool> makeDropCopy() {
    return std::make_unique<DropCopy>();
}

}  // namespace brondel::engine::tools
