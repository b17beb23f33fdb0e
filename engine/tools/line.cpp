#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Each point after the first draws a line from the one before it; Enter
// keeps them all as one step, Undo takes the last one back.
class DrawLine : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return enough();
        }
        if (e.kind == ToolEvent::Kind::Option) {  // Undo
            if (points_.size() > 1) {
                points_.pop_back();
                dropLast();
            } else {
                points_.clear();
            }
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        // The same point twice would make a line of no length: a step of
        // nothing in a cutting path.
        if (!points_.empty() && e.at.world == points_.back()) {
            return refuse(c, "Draw Line: that is the last point; give another");
        }
        if (!points_.empty()) {
            keep(sketch(e.at.world));
        }
        points_.push_back(e.at.world);
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        if (points_.empty()) {
            return askPoint("first point");
        }
        ToolAsk a = askPoint("next point (Enter to end)");
        a.options = {"Undo"};
        return a;
    }
    std::optional<Point2> basePoint() const override {
        return points_.empty() ? std::nullopt : std::optional(points_.back());
    }
    bool followsPolar() const override { return true; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        if (!points_.empty()) {
            out.emplace_back(LineGeom{at3(points_.back()), at3(cursor)});
        }
        return out;
    }

  private:
    std::vector<Point2> points_;
};

}  // namespace

std::unique_ptr<Tool> makeLine() {
    return std::make_unique<DrawLine>();
}

}  // namespace brondel::engine::tools
