#include <algorithm>

#include "engine/tools/dimension_tool.h"
#include "engine/tools/tools.h"

namespace brondel::engine::tools {

namespace {

// Horizontal or vertical by where the line is put: above or below the two
// origins it runs across, beside them it runs up; H and V force one.
class LinearDimension : public TwoOriginDimension {
  protected:
    std::optional<DimensionGeom> dimension(Point2 a, Point2 b, Point2 at) const override {
        bool horizontal = forced_ == 'H';
        if (!forced_) {
            const auto outside = [](double v, double lo, double hi) {
                return v < lo ? lo - v : (v > hi ? v - hi : 0);
            };
            const double beside = outside(at.x, std::min(a.x, b.x), std::max(a.x, b.x));
            const double above = outside(at.y, std::min(a.y, b.y), std::max(a.y, b.y));
            horizontal =
                beside == above ? std::abs(b.x - a.x) >= std::abs(b.y - a.y) : above > beside;
        }
        DimensionGeom g;
        g.dimType = dimkind::kLinear;
        g.p13 = at3(a);
        g.p14 = at3(b);
        g.angle = horizontal ? 0 : kPi / 2;
        g.defPoint = horizontal ? Point3{b.x, at.y, 0} : Point3{at.x, b.y, 0};
        return g;
    }
    std::vector<std::string> options() const override { return {"Horizontal", "Vertical"}; }
    void option(const std::string& o) override { forced_ = o == "Horizontal" ? 'H' : 'V'; }

  private:
    char forced_ = 0;
};

}  // namespace

std::unique_ptr<Tool> makeLinearDimension() {
    return std::make_unique<LinearDimension>();
}

}  // namespace brondel::engine::tools
