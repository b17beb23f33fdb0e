#pragma once

#include <cstddef>
#include <optional>

#include "documents/drawing_window.h"

namespace brondel::pathtools {

inline constexpr const char* kLinkTitle = "Link Contours";
inline constexpr const char* kLinkNeedsStartText =
    "Set the start point on the outer contour first (CNC Tools > Set Start Point)";

// In place of Reorganize Entities for a part with holes: from the start line
// round the closed contour it lies on and, over a bridge cut in and back out,
// round every hole inside it, as one path. The drawing becomes that path and
// the coordinate list its vertices, as one undo step, ready for Generate DAT
// File. Why it cannot is said in a message and nothing changes. The number
// of holes linked and what was left out, none when no path was made.
struct LinkCounts {
    std::size_t holes = 0;
    std::size_t contoursLeftOut = 0;  // closed, outside the outer one or inside a hole
    std::size_t openLinesLeftOut = 0;
};
std::optional<LinkCounts> linkContours(documents::DrawingWindow& window);

}  // namespace brondel::pathtools
