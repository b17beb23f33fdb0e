#pragma once

#include <cstddef>
#include <sstream>
#include <string>

#include "engine/io/vec_format.h"

namespace brondel::engine::testing {

// The bytes of a VEC file holding c.
inline std::string encoded(const DrawingContent& c) {
    std::ostringstream out;
    io::vec::encode(c, c.entities, out);
    return out.str();
}

// The bytes of the default settings that close every VEC file of this
// version: colour, weight, the style "STANDARD" with seven sizes, decimals
// and placement, point mode and size, the multi-line style's two offsets and
// scale, the current line type and text style, the two lines' colours, the
// page Layout1 and its name as the current one.
constexpr std::size_t kDefaultVecSettings = 6 + 2 + (4 + 8) + 7 * 8 + 4 + 1 + 4 + 8 + (4 + 2 * 8) +
                                            8 + (4 + 7) + (4 + 8) + 2 * (2 + 4) +
                                            (4 + (4 + 7) + 8 + 8 + 1) + (4 + 7);

}  // namespace brondel::engine::testing
