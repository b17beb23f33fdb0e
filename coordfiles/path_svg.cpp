#include "coordfiles/path_svg.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "coordfiles/path_arrows.h"

namespace brondel::coordfiles {

namespace {

double sizeOf(const engine::Box2& box) {
    return std::max({box.width(), box.height(), 1e-9});
}

engine::Box2 extentOf(std::span<const PairPoint> path) {
    engine::Box2 box;
    for (const PairPoint& p : path) {
        box.add(p.x, p.y);
    }
    return box;
}

// A chevron of the given size at the arrow's point, along its direction.
void chevron(std::ostream& out, const PathArrow& arrow, double size) {
    const double x = arrow.at.x, y = arrow.at.y, dx = arrow.direction.x, dy = arrow.direction.y;
    const double bx = x - dx * size, by = y - dy * size;
    const double nx = -dy * size * 0.5, ny = dx * size * 0.5;
    out << "<polyline class=\"arrow\" points=\"" << bx + nx << ',' << by + ny << ' ' << x << ','
        << y << ' ' << bx - nx << ',' << by - ny << "\"/>\n";
}

}  // namespace

std::string pathSvg(std::span<const PairPoint> path) {
    std::ostringstream out;
    out.precision(9);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    if (path.empty()) {
        out << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 1 1\"/>\n";
        return out.str();
    }
    const engine::Box2 e = extentOf(path);
    const double margin = sizeOf(e) * 0.05;
    const double stroke = sizeOf(e) / 500;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000\" height=\""
        << std::lround(1000 * (e.maxY - e.minY + 2 * margin) / (e.maxX - e.minX + 2 * margin))
        << "\" viewBox=\"" << e.minX - margin << ' ' << -(e.maxY + margin) << ' '
        << e.maxX - e.minX + 2 * margin << ' ' << e.maxY - e.minY + 2 * margin << "\">\n"
        << "<style>.path{fill:none;stroke:#1060c0;stroke-width:" << stroke
        << "}.arrow{fill:none;stroke:#d02020;stroke-width:" << stroke
        << "}.start{fill:#20a020}</style>\n"
        // Drawing y runs up, SVG y down.
        << "<g transform=\"scale(1,-1)\">\n<polyline class=\"path\" points=\"";
    for (const PairPoint& p : path) {
        out << p.x << ',' << p.y << ' ';
    }
    out << "\"/>\n";
    std::vector<engine::Point2> points;
    points.reserve(path.size());
    for (const PairPoint& p : path) {
        points.push_back({p.x, p.y});
    }
    for (const PathArrow& arrow : pathArrows(points, kPathArrows)) {
        chevron(out, arrow, sizeOf(e) / 60);
    }
    out << "<circle class=\"start\" cx=\"" << path[0].x << "\" cy=\"" << path[0].y << "\" r=\""
        << sizeOf(e) / 80 << "\"/>\n</g>\n</svg>\n";
    return out.str();
}

}  // namespace brondel::coordfiles
