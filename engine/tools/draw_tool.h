#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/tool.h"

namespace brondel::engine::tools {

// A tool that adds entities. What it has made so far waits in made() and
// shows with what the step under way would make with the cursor as its
// point (sketch); on commit apply adds them all. A tool builds the entity
// it keeps with the same sketch it shows, so the two never differ.
class DrawTool : public Tool {
  public:
    std::vector<Entity> preview(Point2 cursor) const override {
        std::vector<Entity> shown = made_;
        for (Entity& e : sketch(cursor)) {
            shown.push_back(std::move(e));
        }
        return shown;
    }
    void apply(ToolContext& c) override {
        for (const Entity& e : made_) {
            c.add(e);
        }
    }

  protected:
    virtual std::vector<Entity> sketch(Point2 /*cursor*/) const { return {}; }
    void keep(std::vector<Entity> entities) {
        for (Entity& e : entities) {
            made_.push_back(std::move(e));
        }
    }
    // Enter: what is made is kept; with nothing made the command leaves
    // nothing.
    ToolResult enough() const { return made_.empty() ? ToolResult::Cancel : ToolResult::Commit; }
    // Refuses input with a message; the command waits on.
    static ToolResult refuse(ToolContext& c, const std::string& why) {
        c.message(why);
        return ToolResult::Running;
    }
    void dropLast() {
        if (!made_.empty()) {
            made_.pop_back();
        }
    }
    const std::vector<Entity>& made() const { return made_; }

  private:
    std::vector<Entity> made_;
};

// A point asked for, with what the prompt says.
inline ToolAsk askPoint(std::string prompt) {
    ToolAsk a;
    a.prompt = std::move(prompt);
    a.point = true;
    return a;
}

// A number asked for, or a point whose distance gives it.
inline ToolAsk askDistance(std::string prompt, std::string fallback = {}) {
    ToolAsk a = askPoint(std::move(prompt));
    a.number = true;
    a.fallback = std::move(fallback);
    return a;
}

inline double distance(Point2 a, Point2 b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

inline Point3 at3(Point2 p) {
    return {p.x, p.y, 0};
}

// A tool made by two points: the first fixes one end, the second commits
// what sketch() makes from first() to it, or is refused with `refusal` when
// the two make nothing.
class TwoPointDrawTool : public DrawTool {
  public:
    TwoPointDrawTool(std::string firstPrompt, std::string secondPrompt, std::string refusal)
        : firstPrompt_(std::move(firstPrompt)),
          secondPrompt_(std::move(secondPrompt)),
          refusal_(std::move(refusal)) {}

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
        std::vector<Entity> made = sketch(e.at.world);
        if (made.empty()) {
            return refuse(c, refusal_);
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override { return askPoint(first_ ? secondPrompt_ : firstPrompt_); }
    std::optional<Point2> basePoint() const override { return first_; }

  protected:
    const std::optional<Point2>& first() const { return first_; }

  private:
    std::string firstPrompt_, secondPrompt_, refusal_;
    std::optional<Point2> first_;
};

}  // namespace brondel::engine::tools
