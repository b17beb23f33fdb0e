#include "engine/tools/dimension_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// The dimension line runs parallel to the two origins.
class AlignedDimension : public TwoOriginDimension {
  protected:
    std::optional<DimensionGeom> dimension(Point2 a, Point2 b, Point2 at) const override {
        const double length = distance(a, b);
        const Point2 n{-(b.y - a.y) / length, (b.x - a.x) / length};
        const double off = (at.x - b.x) * n.x + (at.y - b.y) * n.y;
        DimensionGeom g;
        g.dimType = dimkind::kAligned;
        g.p13 = at3(a);
        g.p14 = at3(b);
        g.defPoint = {b.x + n.x * off, b.y + n.y * off, 0};
        return g;
    }
};

}  // namespace

std::unique_ptr<Tool> makeAlignedDimension() {
    return std::make_unique<AlignedDimension>();
}

}  // namespace brondel::engine::tools
