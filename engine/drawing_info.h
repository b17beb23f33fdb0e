#pragma once

#include <string>
#include <vector>

#include "engine/drawing.h"

namespace brondel::engine {

// What Drawing Info reports, one line each: the file and its size on disk,
// the version it was read as, the units, the entities by kind, the layers,
// the blocks and the extents.
std::vector<std::string> drawingInfo(const Drawing& d, const std::string& fileName);

}  // namespace brondel::engine
