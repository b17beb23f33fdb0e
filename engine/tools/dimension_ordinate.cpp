#include "engine/tools/dimension_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// The feature, then the leader's end: a leader that runs more up than
// across measures x from the drawing's origin, one that runs across
// measures y; X and Y force one.
class OrdinateDimension : public DimensionTool {
  public:
    ToolResult update(ToolContext& c, const ToolEvent& e) override {
        if (e.kind == ToolEvent::Kind::Enter) {
            return ToolResult::Cancel;
        }
        if (e.kind == ToolEvent::Kind::Option) {
            forced_ = e.text == "Xdatum" ? 'X' : 'Y';
            return ToolResult::Running;
        }
        if (e.kind != ToolEvent::Kind::Point) {
            return ToolResult::Running;
        }
        if (!feature_) {
            feature_ = e.at.world;
            return ToolResult::Running;
        }
        if (distance(*feature_, e.at.world) <= 0) {
            return refuse(c, "The leader ends where it starts");
        }
        keep(sketch(e.at.world));
        return ToolResult::Commit;
    }
    ToolAsk ask() const override {
        if (!feature_) {
            return askPoint("feature location");
        }
        ToolAsk a = askPoint("leader endpoint");
        a.options = {"Xdatum", "Ydatum"};
        return a;
    }
    std::optional<Point2> basePoint() const override { return feature_; }

  protected:
    std::vector<Entity> sketch(Point2 cursor) const override {
        std::vector<Entity> out;
        if (!feature_ || distance(*feature_, cursor) <= 0) {
            return out;
        }
        const bool x = forced_
                           ? forced_ == 'X'
                           : std::abs(cursor.y - feature_->y) > std::abs(cursor.x - feature_->x);
        DimensionGeom g;
        g.dimType = dimkind::kOrdinate | (x ? dimkind::kOrdinateX : 0);
        g.p13 = at3(*feature_);
        g.p14 = at3(cursor);
        out.push_back(dimensionEntity(std::move(g)));
        return out;
    }

  private:
    std::optional<Point2> feature_;
    char forced_ = 0;
};

}  // namespace

std::unique_ptr<Tool> makeOrdinateDimension() {
    return std::make_unique<OrdinateDimension>();
}

}  // namespace brondel::engine::tools
