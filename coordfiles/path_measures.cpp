#include "coordfiles/path_measures.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "coordfiles/rows.h"

namespace brondel::coordfiles {

PathMeasures measurePath(const std::vector<std::string>& coordinateRows) {
    PathMeasures measures;
    std::vector<RowPoint> points;
    points.reserve(coordinateRows.size());
    for (const std::string& row : coordinateRows) {
        points.push_back(readCoordinateRow(row));
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        measures.length += std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
    }
    if (!points.empty()) {
        measures.closureGap =
            std::hypot(points.back().x - points.front().x, points.back().y - points.front().y);
    }
    // The last vertex closes the path onto the first: not a repeat. Equal
    // rows read back as equal numbers, so points are compared.
    std::vector<std::pair<double, double>> visited;
    visited.reserve(points.size());
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        visited.emplace_back(points[i].x, points[i].y);
    }
    std::sort(visited.begin(), visited.end());
    measures.repeats =
        static_cast<std::size_t>(visited.end() - std::unique(visited.begin(), visited.end()));
    return measures;
}

}  // namespace brondel::coordfiles
