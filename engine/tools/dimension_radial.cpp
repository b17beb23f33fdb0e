#include "engine/tools/dimension_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Press on an arc or a circle, then put the text: the dimension line runs
// from the curve towards it (through the centre for a diameter).
class RadialDimension : public DimensionTool {
  public:
    explicit RadialDimension(bool diameter) : diameter_(diameter) {}

    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!round_) {
            round_ = pickedRound(c, e.at.window);
            return round_ ? ToolResult::Running : refuse(c, "Press on an arc or a circle");
        }
        keep(sketch(e.at.world));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        return round_ ? askPoint("dimension location") : askPick("pick an arc or circle");
    }
    std::optional<Point2> basePoint() const override {
        if (round_) {
            return Point2{round_->center.x, round_->center.y};
        }
        return std::nullopt;
    }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        if (!round_) {
            return out;
        }
        const Point2 c{round_->center.x, round_->center.y};
        const double r = round_->radius, d = distance(c, cursor);
        const Point2 u = d > 0 ? Point2{(cursor.x - c.x) / d, (cursor.y - c.y) / d} : Point2{1, 0};
        DimensionGeom g;
        g.dimType = diameter_ ? dimkind::kDiameter : dimkind::kRadius;
        g.p15 = {c.x + u.x * r, c.y + u.y * r, 0};
        g.defPoint = diameter_ ? Point3{c.x - u.x * r, c.y - u.y * r, 0} : round_->center;
        g.textMid = at3(cursor);
        out.push_back(dimensionEntity(std::move(g)));
        return out;
    }

  private:
    bool diameter_;
    std::optional<CircleGeom> round_;
};

}  // namespace

std::unique_ptr<Tool> makeRadiusDimension() {
    return std::make_unique<RadialDimension>(false);
}

std::unique_ptr<Tool> makeDiameterDimension() {
    return std::make_unique<RadialDimension>(true);
}

}  // namespace brondel::engine::tools
