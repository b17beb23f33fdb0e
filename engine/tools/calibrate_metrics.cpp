#include <cmath>

#include "engine/drawing.h"
#include "engine/measure.h"
#include "engine/tools/draw_tool.h"
#include "engine/tools/tools.h"
#include "engine/transform.h"

namespace brondel::engine::tools {

namespace {

// Two points and the true distance between them: the whole drawing is
// scaled about the first point so that they lie that far apart (for
// scanned or mis-scaled drawings), as one step.
class CalibrateMetrics : public Tool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (!second_) {
            if (e.kind != ToolEvent::Kind::Point) {
                return ToolResult::Running;
            }
            if (!first_) {
                first_ = e.at.world;
            } else if (distance(*first_, e.at.world) > 0) {
                second_ = e.at.world;
            } else {
                c.message("Calibrate Metrics: the two points are the same point");
            }
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Number) {
            return ToolResult::Running;
        }
        if (!(e.number > 0) || !std::isfinite(e.number)) {
            c.message("Calibrate Metrics: the true distance must be a number greater than 0");
            return ToolResult::Running;
        }
        factor_ = e.number / distance(*first_, *second_);
        if (!std::isfinite(factor_) || factor_ == 0) {
            c.message("Calibrate Metrics: that scale cannot be applied");
            return ToolResult::Running;
        }
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        if (second_) {
            ToolAsk a;
            a.prompt = "true distance between the points (now " +
                       shownNumber(distance(*first_, *second_)) + ")";
            a.number = true;
            return a;
        }
        return askPoint(first_ ? "second point" : "first point");
    }
    std::vector<Entity> preview(Point2 cursor) const override {
        if (!first_) {
            return {};
        }
        return {Entity(LineGeom{at3(*first_), at3(second_ ? *second_ : cursor)})};
    }
    std::optional<Point2> basePoint() const override { return second_ ? second_ : first_; }

    void apply(ToolContext& c) override {
        const Affine m = Affine::translation(first_->x, first_->y) *
                         Affine::scaling(factor_, factor_, factor_) *
                         Affine::translation(-first_->x, -first_->y);
        const Drawing& d = c.drawing();
        std::vector<Handle> live;
        live.reserve(d.liveCount());
        for (const Entity& e : d.entities()) {
            if (!e.erased) {
                live.push_back(e.handle);
            }
        }
        std::vector<Entity> placed;
        for (Handle h : live) {
            const Entity& e = d.entity(h);
            placed.clear();
            transformEntity(e, m, d, 0, placed);
            if (placed.size() == 1) {
                placed.front().handle = h;
                placed.front().setXData(e.xdata());
                c.replace(h, std::move(placed.front()));
                continue;
            }
            // A kind that cannot be scaled as itself comes back in parts.
            c.erase(h);
            for (Entity& part : placed) {
                c.addAsIs(std::move(part));
            }
        }
        c.message("Calibrate Metrics: the drawing is scaled by " + shownNumber(factor_));
    }

  private:
    std::optional<Point2> first_, second_;
    double factor_ = 1;
};

}  // namespace

std::unique_ptr<Tool> makeCalibrateMetrics() {
    return std::make_unique<CalibrateMetrics>();
}

}  // namespace brondel::engine::tools
