#include "pathtools/reverse_line.h"

#include <numbers>
#include <utility>
#include <vector>

#include "engine/cad.h"

namespace brondel::pathtools {

namespace {

// The bulge belongs to the segment that starts at a vertex, so each segment
// keeps its bulge with the sign turned, moved to its former end. A closed
// polyline keeps its first vertex and runs round the other way.
void reversePolyline(engine::PolylineGeom& pl) {
    const auto& old = pl.vertices;
    const std::size_t n = old.size();
    std::vector<engine::Vertex> turned(n);
    for (std::size_t j = 0; j < n; ++j) {
        if (pl.closed) {
            turned[j] = old[(n - j) % n];
            turned[j].bulge = -old[(2 * n - j - 1) % n].bulge;
        } else {
            turned[j] = old[n - 1 - j];
            turned[j].bulge = j + 1 < n ? -old[n - 2 - j].bulge : 0.0;
        }
    }
    pl.vertices = std::move(turned);
}

}  // namespace

void reverseLine(engine::Vecad& vecad, engine::Handle h) {
    engine::Drawing& drawing = vecad.drawing();
    if (engine::geomIf<engine::LineGeom>(drawing.entity(h))) {
        engine::Drawing::Step step(drawing, "Reverse");
        drawing.swapLineEnds(h);
        return;
    }
    engine::Entity e = drawing.entity(h);
    if (auto* arc = engine::geomIf<engine::ArcGeom>(e)) {
        arc->startAngle += arc->angle;
        arc->angle = -arc->angle;
    } else if (auto* pl = engine::geomIf<engine::PolylineGeom>(e)) {
        reversePolyline(*pl);
    } else {
        double x1, y1, z1, x2, y2, z2;
        engine::CadLineGetPoint1(h, x1, y1, z1);
        engine::CadLineGetPoint2(h, x2, y2, z2);
        engine::Drawing::Step step(drawing, "Reverse");
        vecad.EntityRotate(h, (x1 + x2) / 2, (y1 + y2) / 2, (z1 + z2) / 2, std::numbers::pi);
        return;
    }
    engine::Drawing::Step step(drawing, "Reverse");
    drawing.replace(h, std::move(e));
}

}  // namespace brondel::pathtools
