#pragma once

#include <ostream>
#include <string>

namespace brondel::cli {

// The short road: a drawing whose entity order is the cutting path, its
// lines collected in that order, normalized and written as a DAT file.
// Prints the lines read and the steps written; on failure prints the
// program's own message and returns non-zero, leaving no file behind.
int runConvertSequential(const std::string& inPath, const std::string& datPath, std::ostream& out,
                         std::ostream& err);

}  // namespace brondel::cli
