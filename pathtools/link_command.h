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
// With a kerf above 0 the outer contour stands off by half of it and the
// holes stand in by half.
std::optional<LinkCounts> linkContours(documents::DrawingWindow& window, double kerf = 0);

inline constexpr const char* kLinkKerfPrompt = "Width of the cut (drawing units), 0 for none:";
inline constexpr const char* kLinkKerfRefusedText =
    "Invalid entry, the kerf must be a number not less than 0";

// The menu command: asks for the width of the cut until it is a number of
// 0 or more or the box is cancelled, then links.
void linkContoursCommand(documents::DrawingWindow& window);

}  // namespace brondel::pathtools
