#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Summary of a path held as coordinate list rows.
namespace brondel::coordfiles {

struct PathMeasures {
    double length = 0;
    double closureGap = 0;    // from the last vertex back to the first
    std::size_t repeats = 0;  // vertices the path reaches a second time
};

PathMeasures measurePath(const std::vector<std::string>& coordinateRows);

}  // namespace brondel::coordfiles
