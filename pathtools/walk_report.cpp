#include "pathtools/walk_report.h"

#include <cmath>
#include <limits>

#include "base/numbers.h"
#include "documents/report_line.h"
#include "engine/cad.h"
#include "engine/entity_type.h"
#include "pathtools/reorganize.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

namespace {

using engine::Handle;
using engine::Point2;

std::string pointText(Point2 p) {
    return "(" + base::coordinateText(p.x) + ", " + base::coordinateText(p.y) + ")";
}

// Enough room round the marks that both stand clear of the window's edge.
engine::Box2 markBox(const documents::DeadEnd& deadEnd, double searchRadius) {
    engine::Box2 box;
    box.add(deadEnd.at.x, deadEnd.at.y);
    if (deadEnd.nearest) {
        box.add(deadEnd.nearest->x, deadEnd.nearest->y);
    }
    const double margin = std::max({deadEnd.gap, 50 * searchRadius, 1e-6});
    return {box.minX - margin, box.minY - margin, box.maxX + margin, box.maxY + margin};
}

}  // namespace

documents::DeadEnd findDeadEnd(const engine::Vecad& vecad, Point2 at,
                               const std::unordered_set<Handle>& visited) {
    documents::DeadEnd result;
    result.at = at;
    double best = std::numeric_limits<double>::infinity();
    for (Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle; h = vecad.GetNextEntity(h)) {
        if (visited.count(h) != 0 ||
            vecad.EntityGetType(h) == engine::code(engine::EntityType::Text)) {
            continue;
        }
        double x, y, z;
        for (int end = 1; end <= 2; ++end) {
            if (end == 1) {
                engine::CadLineGetPoint1(h, x, y, z);
            } else {
                engine::CadLineGetPoint2(h, x, y, z);
            }
            const double d = std::hypot(x - at.x, y - at.y);
            if (d < best) {
                best = d;
                result.nearest = Point2{x, y};
            }
        }
    }
    if (result.nearest) {
        result.gap = best;
        if (best < kFarthestCandidate) {
            result.suggestedRadius = std::min(bridgingRadius(best), kFarthestCandidate);
        }
    }
    return result;
}

double bridgingRadius(double gap) {
    if (!(gap > 0) || !std::isfinite(gap)) {
        return 0.0001;
    }
    // Strictly above the gap, so rounding in the search cannot leave it out.
    const double above = gap * (1 + 1e-6);
    const double exponent = std::floor(std::log10(above)) - 1;
    // Divided rather than multiplied by a fraction, so 51 hundredths is 0.51.
    if (exponent < 0) {
        const double scale = std::pow(10.0, -exponent);
        return std::ceil(above * scale) / scale;
    }
    const double unit = std::pow(10.0, exponent);
    return std::ceil(above / unit) * unit;
}

std::string deadEndText(const documents::DeadEnd& deadEnd) {
    std::string text = "The path ends at " + pointText(deadEnd.at);
    if (!deadEnd.nearest) {
        return text + "; every line was reached.";
    }
    text += "; the nearest line end not reached is " + pointText(*deadEnd.nearest) + ", " +
            base::coordinateText(deadEnd.gap) + " away; ";
    if (!deadEnd.suggestedRadius) {
        return text + "no search radius bridges a gap that wide: draw a line across it.";
    }
    return text + "a search radius of " + base::decimalText(*deadEnd.suggestedRadius) +
           " bridges the gap.";
}

void reportDeadEnd(documents::DrawingWindow& window, const documents::DeadEnd& deadEnd) {
    shell::MainWindow& main = window.main();
    window.deadEnd = deadEnd;
    window.deadEndChanged.emit();
    documents::reportLine(window, deadEndText(deadEnd));
    window.Vecad1.zoomToBox(markBox(deadEnd, main.searchRadius));
}

std::string arcsAsChordsText(int arcs) {
    if (arcs == 0) {
        return {};
    }
    return "Warning: " + std::to_string(arcs) + (arcs == 1 ? " arc was" : " arcs were") +
           " taken as a straight line from end to end. Explode Arc into Segments, before "
           "Reorganize Entities, makes the path follow the curve.";
}

void clearDeadEnd(documents::DrawingWindow& window) {
    if (window.deadEnd) {
        window.deadEnd.reset();
        window.deadEndChanged.emit();
    }
}

}  // namespace brondel::pathtools
