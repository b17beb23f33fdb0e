#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "engine/tool.h"
#include "engine/tools/selection_transform.h"

namespace brondel::engine::tools {

// A modify command that maps the selection by one map found from a base
// point and what follows it: asks for the base point, shows the selection
// under the map the cursor gives, and works the results out in full before
// apply() changes the drawing.
class TransformTool : public Tool {
  public:
    explicit TransformTool(const char* caption, const char* firstPrompt = "base point")
        : caption_(caption), firstPrompt_(firstPrompt) {}

    ToolResult begin(ToolContext& c) override {
        drawing_ = &c.drawing();
        picked_ = c.selection();
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (base_) {
            return next(c, e);
        }
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!std::isfinite(e.at.world.x) || !std::isfinite(e.at.world.y)) {
            return refuse(c, std::string("the ") + firstPrompt_ + " must be a finite point");
        }
        base_ = e.at.world;
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        if (base_) {
            return nextAsk();
        }
        ToolAsk a;
        a.prompt = firstPrompt_;
        a.point = true;
        return a;
    }
    std::vector<Entity> preview(Point2 cursor) const override {
        const std::optional<Affine> m = base_ ? cursorMap(cursor) : std::nullopt;
        return m ? previewTransform(*drawing_, picked_, *m) : std::vector<Entity>{};
    }
    void apply(ToolContext& c) override {
        replaceSources(c, plan_);
        c.clearSelection();
    }
    std::optional<Point2> basePoint() const override { return base_; }
    bool followsPolar() const override { return base_.has_value(); }

  protected:
    // What follows the base point.
    virtual ToolResult next(ToolContext& c, const ToolEvent& e) = 0;
    virtual ToolAsk nextAsk() const = 0;
    // The map the cursor gives now, if any.
    virtual std::optional<Affine> cursorMap(Point2 cursor) const = 0;

    Point2 base() const { return *base_; }
    // The map about the base point: m applied with the base as origin.
    Affine aboutBase(const Affine& m) const {
        return Affine::translation(base_->x, base_->y) * m *
               Affine::translation(-base_->x, -base_->y);
    }
    // Works the results out; the drawing changes in apply().
    ToolResult finish(ToolContext& c, const Affine& m) {
        plan_ = planTransform(*drawing_, picked_, m);
        reportSkipped(c, caption_, plan_.skipped);
        return plan_.results.empty() ? ToolResult::Done : ToolResult::Commit;
    }
    ToolResult refuse(ToolContext& c, const std::string& why) {
        c.message(std::string(caption_) + ": " + why);
        return ToolResult::Running;
    }

    const char* caption_;
    const char* firstPrompt_;
    const Drawing* drawing_ = nullptr;
    std::vector<Handle> picked_;
    TransformPlan plan_;

  private:
    std::optional<Point2> base_;
};

}  // namespace brondel::engine::tools
