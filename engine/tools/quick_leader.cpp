#include "engine/drawing.h"
#include "engine/leader.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Points from the arrowhead on, Enter; then the annotation line (Enter or
// an empty line: none). Undo drops the last point. One leader, drawn with
// the drawing's dimension style.
class QuickLeader : public DrawTool {
  public:
    ToolResult begin(ToolContext& c) override {
        style_ = c.drawing().header().dimStyle;
        return ToolResult::Running;
    }
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (annotating_) {
            if (e.kind != ToolEvent::Kind::Text && e.kind != ToolEvent::Kind::Enter) {
                return ToolResult::Running;
            }
            std::vector<Entity> made;
            made.emplace_back(makeLeader(points_, e.text, style_));
            keep(std::move(made));
            return ToolResult::Commit;
        }
        switch (e.kind) {
            case ToolEvent::Kind::Enter:
                if (points_.empty()) {
                    return ToolResult::Cancel;
                }
                if (points_.size() < 2) {
                    return refuse(c, "A leader needs a second point");
                }
                annotating_ = true;
                return ToolResult::Running;
            case ToolEvent::Kind::Option:
                if (!points_.empty()) {
                    points_.pop_back();
                }
                return ToolResult::Running;
            case ToolEvent::Kind::Point:
                if (!points_.empty() && e.at.world == Point2{points_.back().x, points_.back().y}) {
                    return refuse(c, "Quick Leader: that is the last point; give another");
                }
                points_.push_back(at3(e.at.world));
                return ToolResult::Running;
            default:
                return ToolResult::Running;
        }
    }
    ToolAsk ask() const override {
        if (annotating_) {
            ToolAsk a;
            a.prompt = "annotation (Enter for none)";
            a.text = true;
            return a;
        }
        if (points_.empty()) {
            return askPoint("arrowhead point");
        }
        ToolAsk a = askPoint("next point");
        a.options = {"Undo"};
        return a;
    }
    std::optional<Point2> basePoint() const override {
        if (points_.empty() || annotating_) {
            return std::nullopt;
        }
        return Point2{points_.back().x, points_.back().y};
    }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Point3> shown = points_;
        if (!annotating_ && !shown.empty()) {
            shown.push_back(at3(cursor));
        }
        std::vector<Entity> out;
        if (shown.size() >= 2) {
            out.emplace_back(makeLeader(std::move(shown), "", style_));
        }
        return out;
    }

  private:
    DimStyle style_;
    std::vector<Point3> points_;
    bool annotating_ = false;
};

}  // namespace

std::unique_ptr<Tool> makeQuickLeader() {
    return std::make_unique<QuickLeader>();
}

}  // namespace brondel::engine::tools
