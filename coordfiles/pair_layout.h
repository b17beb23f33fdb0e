#pragma once

#include <cstddef>
#include <vector>

#include "coordfiles/dat_reader.h"

// Airfoil files that list the two surfaces separately, both from the leading
// edge, turned into the one loop a cutter follows.
namespace brondel::coordfiles {

// pairs in file order; firstLineNumbers: how many numbers the first data line
// held; breaks: pair indexes at which blank lines fell inside the data.
// Recognises a Lednicer file (a first line of two whole counts, then exactly
// that many points) and two blank-separated blocks that start at the same
// point; anything else stays in file order as Selig.
PairFile arrangeSurfaces(std::vector<PairPoint> pairs, std::size_t firstLineNumbers,
                         const std::vector<std::size_t>& breaks);

}  // namespace brondel::coordfiles
