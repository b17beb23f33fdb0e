#pragma once

#include "documents/drawing_window.h"

namespace brondel::pathtools {

inline constexpr const char* kCheckDrawingTitle = "Check Drawing";
// A message box shows at most this many lines of the report; the command
// window holds all of it.
inline constexpr std::size_t kCheckLinesShown = 25;

// Checks the active drawing as it stands, with the search radius: the report
// in a message box and the command window, its summary in the prompt panel.
// The drawing is not changed.
void checkDrawingCommand(documents::DrawingWindow& window);

}  // namespace brondel::pathtools
