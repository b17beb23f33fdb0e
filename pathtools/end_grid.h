#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/geometry.h"

// Points in square cells, for finding the pairs that lie within a distance
// in time proportional to their number.
namespace brondel::pathtools {

class EndGrid {
  public:
    // cell is the side of a cell; points farther apart than it are never
    // reported as near by forEachNearPair.
    EndGrid(const std::vector<engine::Point2>& points, double cell);

    // Every pair (i < j) of points within distance of each other, each once.
    // distance must not exceed the cell.
    void forEachNearPair(double distance, const std::function<void(int, int)>& visit) const;

    // Every point in the cells around p, within reach cells each way.
    void forEachAround(engine::Point2 p, int reach, const std::function<void(int)>& visit) const;

  private:
    struct Cell {
        std::int64_t x, y;
        bool operator<(const Cell& o) const { return x != o.x ? x < o.x : y < o.y; }
        bool operator==(const Cell& o) const { return x == o.x && y == o.y; }
    };
    Cell cellOf(engine::Point2 p) const;
    // The range of order_ that holds the cell, empty when none.
    std::pair<std::size_t, std::size_t> range(const Cell& c) const;

    const std::vector<engine::Point2>& points_;
    double cell_;
    std::vector<int> order_;   // point indices sorted by cell
    std::vector<Cell> cells_;  // the cell of each entry of order_
};

}  // namespace brondel::pathtools
