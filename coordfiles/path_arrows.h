#pragma once

#include <span>
#include <vector>

#include "engine/geometry.h"

// Where to show which way a path is cut: arrows evenly spaced by length.
namespace brondel::coordfiles {

// Arrows along a path shown whole, evenly spaced by its length.
inline constexpr int kPathArrows = 24;

struct PathArrow {
    engine::Point2 at;
    engine::Point2 direction;  // of unit length, the way the path runs
};

// count arrows, the first half a spacing from the start; none for a path
// of no length.
std::vector<PathArrow> pathArrows(std::span<const engine::Point2> path, int count);

}  // namespace brondel::coordfiles
