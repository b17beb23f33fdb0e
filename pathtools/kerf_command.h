#pragma once

#include "documents/drawing_window.h"

namespace brondel::pathtools {

inline constexpr const char* kKerfTitle = "Kerf Offset";
inline constexpr const char* kKerfPrompt = "Width of the cut (drawing units):";
inline constexpr const char* kKerfRefusedText =
    "Invalid entry, the kerf must be a number greater than 0";

// After Reorganize Entities: asks for the width of the cut until it is a
// number above 0 or the box is cancelled, moves the path in the coordinate
// list out by half of it and redraws the drawing as that path, as one undo
// step. A path that cannot be offset is reported and nothing changes.
void kerfOffsetCommand(documents::DrawingWindow& window);

}  // namespace brondel::pathtools
