#include "engine/tools/dimension_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Press on two lines that are not parallel, then put the arc: the angle
// measured is that of the sector between them where the arc lies.
class AngularDimension : public DimensionTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!second_) {
            const LineGeom* line = pickedGeom<LineGeom>(c, e.at.window);
            if (!line) {
                return refuse(c, "Press on a line");
            }
            if (!first_) {
                first_ = *line;
                return ToolResult::Running;
            }
            const double cross = (first_->p2.x - first_->p1.x) * (line->p2.y - line->p1.y) -
                                 (first_->p2.y - first_->p1.y) * (line->p2.x - line->p1.x);
            const double lengths =
                std::hypot(first_->p2.x - first_->p1.x, first_->p2.y - first_->p1.y) *
                std::hypot(line->p2.x - line->p1.x, line->p2.y - line->p1.y);
            if (!(std::abs(cross) > 1e-9 * lengths)) {
                return refuse(c, "The lines are parallel: they make no angle");
            }
            second_ = *line;
            return ToolResult::Running;
        }
        std::vector<Entity> made = sketch(e.at.world);
        if (made.empty()) {
            return refuse(c, "Put the arc away from where the lines meet");
        }
        keep(std::move(made));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        if (!first_) {
            return askPick("pick the first line");
        }
        if (!second_) {
            return askPick("pick the second line");
        }
        return askPoint("dimension arc location");
    }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        if (!second_) {
            return out;
        }
        DimensionGeom g;
        g.dimType = dimkind::kAngular;
        g.p13 = first_->p1;
        g.p14 = first_->p2;
        g.p15 = second_->p1;
        g.defPoint = second_->p2;
        g.p16 = at3(cursor);
        Entity e = dimensionEntity(std::move(g));
        if (geomIf<DimensionGeom>(e)->measurement > 0 &&
            !dimensionPicture(*geomIf<DimensionGeom>(e), DimStyle{}).empty()) {
            out.push_back(std::move(e));
        }
        return out;
    }

  private:
    std::optional<LineGeom> first_, second_;
};

}  // namespace

std::unique_ptr<Tool> makeAngularDimension() {
    return std::make_unique<AngularDimension>();
}

}  // namespace brondel::engine::tools
