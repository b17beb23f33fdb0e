#pragma once

#include <ostream>
#include <string>

namespace brondel::cli {

// Checks a DAT file against the drawing it was made from (both read only).
// 0 when the DAT path follows the drawing within the rounding bound, 1 when
// it does not or a file could not be read. kerf: the width of cut the DAT
// file was made to allow for (0 for none).
int runVerify(const std::string& drawingPath, const std::string& datPath, double kerf, bool json,
              std::ostream& out, std::ostream& err);

}  // namespace brondel::cli
