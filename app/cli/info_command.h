#pragma once

#include <ostream>
#include <string>

namespace brondel::cli {

// Opens a drawing and describes it: version, producer, entity counts by
// kind, kinds left out, layers, blocks and extents. Returns the exit code.
int runInfo(const std::string& path, bool json, std::ostream& out, std::ostream& err);

}  // namespace brondel::cli
