#include "pathtools/path_segments.h"

#include <cmath>
#include <numbers>

#include "engine/cad.h"
#include "engine/entity_type.h"
#include "pathtools/prep_drawing.h"
#include "pathtools/segmenting.h"

namespace brondel::pathtools {

int chordsWithin(double radius, double angle, double tolerance) {
    const double sweep = std::fabs(angle);
    for (int n = 1; n < kMaxArcSegments; ++n) {
        const double gap = std::fabs(radius) * (1.0 - std::cos(sweep / n / 2.0));
        if (gap <= tolerance) {
            return n;
        }
    }
    return kMaxArcSegments;
}

std::vector<Segment> pathSegments(const engine::Vecad& vecad, double arcTolerance) {
    std::vector<Segment> segments;
    for (engine::Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle;
         h = vecad.GetNextEntity(h)) {
        const auto type = static_cast<engine::EntityType>(vecad.EntityGetType(h));
        if (type == engine::EntityType::Line) {
            double x1, y1, z1, x2, y2, z2;
            engine::CadLineGetPoint1(h, x1, y1, z1);
            engine::CadLineGetPoint2(h, x2, y2, z2);
            segments.push_back({{x1, y1}, {x2, y2}});
            continue;
        }
        const bool circle = type == engine::EntityType::Circle;
        if (!circle && type != engine::EntityType::Arc) {
            continue;
        }
        double cx, cy, cz;
        engine::CadArcGetCenter(h, cx, cy, cz);
        const double radius = engine::CadArcGetRadius(h);
        const double start = circle ? 0.0 : engine::CadArcGetStartAngle(h);
        const double angle = circle ? 2 * std::numbers::pi : engine::CadArcGetAngle(h);
        const std::vector<engine::Point2> points = arcChordPoints(
            {cx, cy}, radius, start, angle, chordsWithin(radius, angle, arcTolerance));
        for (std::size_t i = 1; i < points.size(); ++i) {
            segments.push_back({points[i - 1], points[i]});
        }
    }
    return segments;
}

void breakUpCompounds(engine::Vecad& vecad) {
    for (int pass = 0; pass < kPrepPasses; ++pass) {
        for (engine::Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle;
             h = vecad.GetNextEntity(h)) {
            vecad.SelectEntity(h, true);
        }
        vecad.SelExplode();
        vecad.Purge(3);
        vecad.SelClear();
    }
}

}  // namespace brondel::pathtools
