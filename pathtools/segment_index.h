#pragma once

#include <cstdint>
#include <vector>

#include "pathtools/path_segments.h"

// Segments in square cells, for the distance from a point to the nearest of
// them in about constant time when the segments are about a cell long.
namespace brondel::pathtools {

class SegmentIndex {
  public:
    // Cells are about a segment long, and no smaller than minCell: distances
    // up to a few cells are found at once.
    SegmentIndex(const std::vector<Segment>& segments, double minCell);

    // Distance from p to the nearest segment; infinity when there is none.
    // A search for the farthest of many points passes the farthest so far
    // as enough: the first segment found within it ends the search.
    double nearest(engine::Point2 p, double enough = 0) const;

  private:
    std::int64_t keyOf(std::int64_t cx, std::int64_t cy) const;
    void cellOf(engine::Point2 p, std::int64_t& cx, std::int64_t& cy) const;

    const std::vector<Segment>& segments_;
    double cell_ = 1;
    engine::Point2 origin_;
    std::int64_t columns_ = 1, rows_ = 1;
    // Only cells that hold a segment are kept: keys_ ascending, and for the
    // cell keys_[k] the segments entries_[first_[k]] to entries_[first_[k + 1]].
    std::vector<std::int64_t> keys_;
    std::vector<std::uint32_t> first_;
    std::vector<std::uint32_t> entries_;
    // Points far from every segment are answered by a look at all of them,
    // this many segment distances at most in all; past that by the rings
    // searched, a lower bound.
    mutable std::int64_t fullSearchBudget_ = 20'000'000;
};

// Distance from p to the segment ab.
double segmentDistance(engine::Point2 p, const Segment& s);

}  // namespace brondel::pathtools
