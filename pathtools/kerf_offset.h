#pragma once

#include <string>
#include <vector>

#include "engine/geometry.h"

// Allowance for the width of the cut: a closed path moved out by half the
// kerf, so that the part keeps its size. The offset itself is GEOS's buffer.
namespace brondel::pathtools {

// A sharp corner is mitred up to this many half-kerfs from the path, then
// bevelled.
inline constexpr double kMitreLimit = 5.0;

struct KerfOffset {
    bool done = false;
    std::string message;  // why not, when not done
    std::vector<engine::Point2> path;
};

// Which way the cut stands off: out from a part's outline, into a hole.
enum class KerfSide { Outward, Inward };

// path: a closed path (its last vertex on its first). The result runs the
// same way round, starts at the vertex nearest the path's start and is
// closed the same way.
KerfOffset kerfOffset(const std::vector<engine::Point2>& path, double kerf,
                      KerfSide side = KerfSide::Outward);

}  // namespace brondel::pathtools
