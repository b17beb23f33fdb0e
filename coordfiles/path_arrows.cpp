#include "coordfiles/path_arrows.h"

#include <cmath>

namespace brondel::coordfiles {

std::vector<PathArrow> pathArrows(std::span<const engine::Point2> path, int count) {
    double length = 0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        length += std::hypot(path[i].x - path[i - 1].x, path[i].y - path[i - 1].y);
    }
    std::vector<PathArrow> arrows;
    if (!(length > 0) || count <= 0) {
        return arrows;
    }
    const double spacing = length / count;
    double next = spacing / 2;
    double walked = 0;
    for (std::size_t i = 1; i < path.size() && int(arrows.size()) < count; ++i) {
        const engine::Point2 a = path[i - 1];
        const double dx = path[i].x - a.x, dy = path[i].y - a.y;
        const double step = std::hypot(dx, dy);
        if (step <= 0) {
            continue;
        }
        while (next <= walked + step && int(arrows.size()) < count) {
            const double t = (next - walked) / step;
            arrows.push_back({{a.x + t * dx, a.y + t * dy}, {dx / step, dy / step}});
            next += spacing;
        }
        walked += step;
    }
    return arrows;
}

}  // namespace brondel::coordfiles
