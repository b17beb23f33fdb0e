#include "engine/polar_constraint.h"

#include <cmath>

namespace brondel::engine {

namespace {
constexpr double kOrthoStep = 90;
}

Point2 constrainAngle(Point2 from, Point2 to, double stepDegrees) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    if (dx == 0 && dy == 0) {
        return to;
    }
    const double step = stepDegrees > 0 && stepDegrees < 180 ? stepDegrees : kOrthoStep;
    const double degrees = std::round(std::atan2(dy, dx) * 180 / kPi / step) * step;
    double ux = std::cos(degrees * kPi / 180), uy = std::sin(degrees * kPi / 180);
    if (std::fmod(degrees, 90) == 0) {
        // Exact axes, so ortho lines are exactly horizontal or vertical.
        ux = std::round(ux);
        uy = std::round(uy);
    }
    const double along = dx * ux + dy * uy;
    return {from.x + along * ux, from.y + along * uy};
}

}  // namespace brondel::engine
