#include "engine/spline_fit.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

constexpr std::size_t kMinFitPoints = 3;

// Fit points; Enter makes the cubic spline through them (three at least).
class DrawSpline : public DrawTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            if (points_.empty()) {
                return ToolResult::Cancel;
            }
            if (points_.size() < kMinFitPoints) {
                return refuse(c, "A spline needs at least 3 fit points");
            }
            keep(spline(points_));
            return ToolResult::Commit;
        }
        if (e.kind == ToolEvent::Kind::Option && !points_.empty()) {  // Undo
            points_.pop_back();
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!points_.empty() && points_.back() == e.at.world) {
            return refuse(c, "Draw Spline: that is the last point; give another");
        }
        points_.push_back(e.at.world);
        return ToolResult::Running;
    }
    ToolAsk ask() const override {
        if (points_.empty()) {
            return askPoint("first fit point");
        }
        ToolAsk a = askPoint(points_.size() < kMinFitPoints ? "next fit point"
                                                            : "next fit point (Enter to end)");
        a.options = {"Undo"};
        return a;
    }
    std::optional<Point2> basePoint() const override {
        return points_.empty() ? std::nullopt : std::optional(points_.back());
    }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Point2> ps = points_;
        if (ps.empty() || ps.back() == cursor) {
            return {};
        }
        ps.push_back(cursor);
        return spline(ps);
    }

  private:
    static std::vector<Entity> spline(const std::vector<Point2>& ps) {
        std::vector<Entity> out;
        out.emplace_back(fitCubicSpline(ps));
        return out;
    }

    std::vector<Point2> points_;
};

}  // namespace

std::unique_ptr<Tool> makeSpline() {
    return std::make_unique<DrawSpline>();
}

}  // namespace brondel::engine::tools
