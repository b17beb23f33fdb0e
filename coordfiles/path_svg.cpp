#include "coordfiles/path_svg.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace brondel::coordfiles {

namespace {

struct Extent {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    double size() const { return std::max({maxX - minX, maxY - minY, 1e-9}); }
};

Extent extentOf(std::span<const PairPoint> path) {
    Extent e{path[0].x, path[0].y, path[0].x, path[0].y};
    for (const PairPoint& p : path) {
        e.minX = std::min<double>(e.minX, p.x);
        e.minY = std::min<double>(e.minY, p.y);
        e.maxX = std::max<double>(e.maxX, p.x);
        e.maxY = std::max<double>(e.maxY, p.y);
    }
    return e;
}

double pathLength(std::span<const PairPoint> path) {
    double length = 0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        length += std::hypot(double(path[i].x) - path[i - 1].x, double(path[i].y) - path[i - 1].y);
    }
    return length;
}

// A chevron of the given size at (x, y) pointing along (dx, dy), a unit vector.
void arrow(std::ostream& out, double x, double y, double dx, double dy, double size) {
    const double bx = x - dx * size, by = y - dy * size;
    const double nx = -dy * size * 0.5, ny = dx * size * 0.5;
    out << "<polyline class=\"arrow\" points=\"" << bx + nx << ',' << by + ny << ' ' << x << ','
        << y << ' ' << bx - nx << ',' << by - ny << "\"/>\n";
}

// Arrows at every spacing of length along the path, the first half a
// spacing from the start.
void arrows(std::ostream& out, std::span<const PairPoint> path, double spacing, double size) {
    double next = spacing / 2;
    double walked = 0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const double ax = path[i - 1].x, ay = path[i - 1].y;
        const double dx = double(path[i].x) - ax, dy = double(path[i].y) - ay;
        const double length = std::hypot(dx, dy);
        if (length <= 0) {
            continue;
        }
        while (next <= walked + length) {
            const double t = (next - walked) / length;
            arrow(out, ax + t * dx, ay + t * dy, dx / length, dy / length, size);
            next += spacing;
        }
        walked += length;
    }
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
    const Extent e = extentOf(path);
    const double margin = e.size() * 0.05;
    const double stroke = e.size() / 500;
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
    const double length = pathLength(path);
    if (length > 0) {
        arrows(out, path, length / kPathArrows, e.size() / 60);
    }
    out << "<circle class=\"start\" cx=\"" << path[0].x << "\" cy=\"" << path[0].y << "\" r=\""
        << e.size() / 80 << "\"/>\n</g>\n</svg>\n";
    return out.str();
}

}  // namespace brondel::coordfiles
