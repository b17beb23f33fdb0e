#include "pathtools/end_grid.h"

#include <algorithm>
#include <cmath>

namespace brondel::pathtools {

namespace {

// Cells are counted in 64-bit integers; a cell so small that the drawing
// would need more than this many is widened.
constexpr double kMostCells = 1e15;

}  // namespace

EndGrid::EndGrid(const std::vector<engine::Point2>& points, double cell)
    : points_(points), cell_(cell) {
    double extent = 0;
    for (const engine::Point2& p : points) {
        extent = std::max({extent, std::fabs(p.x), std::fabs(p.y)});
    }
    cell_ = std::max(cell_, extent / kMostCells);
    if (!(cell_ > 0)) {
        cell_ = 1;
    }
    // Sorted as one contiguous array: an index sort comparing through the
    // points costs a cache miss a comparison.
    struct Entry {
        Cell cell;
        int index;
    };
    std::vector<Entry> entries(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        entries[i] = {cellOf(points[i]), int(i)};
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.cell < b.cell || (a.cell == b.cell && a.index < b.index);
    });
    order_.reserve(entries.size());
    cells_.reserve(entries.size());
    for (const Entry& e : entries) {
        order_.push_back(e.index);
        cells_.push_back(e.cell);
    }
}

EndGrid::Cell EndGrid::cellOf(engine::Point2 p) const {
    return {static_cast<std::int64_t>(std::floor(p.x / cell_)),
            static_cast<std::int64_t>(std::floor(p.y / cell_))};
}

std::pair<std::size_t, std::size_t> EndGrid::range(const Cell& c) const {
    const auto [first, last] = std::equal_range(cells_.begin(), cells_.end(), c);
    return {std::size_t(first - cells_.begin()), std::size_t(last - cells_.begin())};
}

void EndGrid::forEachNearPair(double distance, const std::function<void(int, int)>& visit) const {
    const auto near = [&](int a, int b) {
        const engine::Point2& p = points_[std::size_t(a)];
        const engine::Point2& q = points_[std::size_t(b)];
        return std::hypot(p.x - q.x, p.y - q.y) <= distance;
    };
    // Each cell meets itself and the four neighbours after it, so each pair
    // of cells is looked at once.
    constexpr int kForward[4][2] = {{1, -1}, {1, 0}, {1, 1}, {0, 1}};
    std::size_t start = 0;
    while (start < cells_.size()) {
        std::size_t end = start + 1;
        while (end < cells_.size() && cells_[end] == cells_[start]) {
            ++end;
        }
        for (std::size_t i = start; i < end; ++i) {
            for (std::size_t j = i + 1; j < end; ++j) {
                if (near(order_[i], order_[j])) {
                    visit(std::min(order_[i], order_[j]), std::max(order_[i], order_[j]));
                }
            }
        }
        for (const auto& step : kForward) {
            const auto [from, to] = range({cells_[start].x + step[0], cells_[start].y + step[1]});
            for (std::size_t i = start; i < end; ++i) {
                for (std::size_t j = from; j < to; ++j) {
                    if (near(order_[i], order_[j])) {
                        visit(std::min(order_[i], order_[j]), std::max(order_[i], order_[j]));
                    }
                }
            }
        }
        start = end;
    }
}

void EndGrid::forEachAround(engine::Point2 p, int reach,
                            const std::function<void(int)>& visit) const {
    const Cell c = cellOf(p);
    for (std::int64_t dx = -reach; dx <= reach; ++dx) {
        for (std::int64_t dy = -reach; dy <= reach; ++dy) {
            const auto [from, to] = range({c.x + dx, c.y + dy});
            for (std::size_t j = from; j < to; ++j) {
                visit(order_[j]);
            }
        }
    }
}

}  // namespace brondel::pathtools
