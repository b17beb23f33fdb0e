#pragma once

#include <ostream>
#include <string>

namespace brondel::cli {

// Reads the drawing, breaks compound entities up as Prep Drawing does (in
// memory: the file is not touched) and reports what stands between it and
// one cutting path. 0 when read, 1 when the file could not be read.
int runCheck(const std::string& path, double radius, bool json, std::ostream& out,
             std::ostream& err);

}  // namespace brondel::cli
