#pragma once

#include <optional>

#include "engine/tool.h"

namespace brondel::engine::tools {

// A tool that asks for the two corners of a rectangle, shows it from the
// first corner, and then acts on it.
class TwoCorners : public Tool {
  public:
    explicit TwoCorners(bool crossingLeftwards) : crossingLeftwards_(crossingLeftwards) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!first_) {
            first_ = e.at.world;
            return ToolResult::Running;
        }
        return corners(c, *first_, e.at.world);
    }
    ToolAsk ask() const override {
        ToolAsk a;
        a.prompt = first_ ? "opposite corner" : "first corner";
        a.point = true;
        return a;
    }
    std::optional<RubberBand::Rectangle> frame(Point2 cursor) const override {
        if (!first_) {
            return std::nullopt;
        }
        return RubberBand::Rectangle{*first_, cursor, crossingLeftwards_ && cursor.x < first_->x};
    }
    std::optional<Point2> basePoint() const override { return first_; }

  protected:
    virtual ToolResult corners(ToolContext& c, Point2 first, Point2 second) = 0;

  private:
    bool crossingLeftwards_;
    std::optional<Point2> first_;
};

}  // namespace brondel::engine::tools
