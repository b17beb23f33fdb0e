#include "engine/tools/select_first.h"

namespace brondel::engine::tools {

namespace {

class SelectFirst : public Tool {
  public:
    explicit SelectFirst(std::unique_ptr<Tool> tool) : tool_(std::move(tool)) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (begun_) {
            return tool_->update(c, e);
        }
        if (e.kind == ToolEvent::Kind::Point) {
            const Handle h = c.entityAt(e.at.window);
            if (h == kNoHandle) {
                c.message("Nothing there");
            } else {
                c.select(h);
            }
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Enter) {
            return ToolResult::Running;
        }
        if (c.selection().empty()) {
            return ToolResult::Cancel;
        }
        begun_ = true;
        return tool_->begin(c);
    }
    ToolAsk ask() const override {
        if (begun_) {
            return tool_->ask();
        }
        ToolAsk a;
        a.prompt = "pick entities (Enter to go on)";
        a.pick = true;
        return a;
    }
    std::vector<Entity> preview(Point2 cursor) const override {
        return begun_ ? tool_->preview(cursor) : std::vector<Entity>{};
    }
    std::optional<RubberBand::Rectangle> frame(Point2 cursor) const override {
        return begun_ ? tool_->frame(cursor) : std::nullopt;
    }
    void apply(ToolContext& c) override { tool_->apply(c); }
    void cancel(ToolContext& c) override {
        if (begun_) {
            tool_->cancel(c);
        }
        c.clearSelection();
    }
    std::optional<Point2> basePoint() const override {
        return begun_ ? tool_->basePoint() : std::nullopt;
    }
    bool followsPolar() const override { return begun_ && tool_->followsPolar(); }

  private:
    std::unique_ptr<Tool> tool_;
    bool begun_ = false;
};

}  // namespace

std::unique_ptr<Tool> selectFirst(std::unique_ptr<Tool> tool) {
    return std::make_unique<SelectFirst>(std::move(tool));
}

}  // namespace brondel::engine::tools
