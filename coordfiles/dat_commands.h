#pragma once

#include "documents/drawing_window.h"

namespace brondel::shell {
class MainWindow;
}

// The commands that turn a drawing into DAT steps, change the search radius
// of the random conversion, and save the DAT list.
namespace brondel::coordfiles {

inline constexpr const char* kConversionCompleteText =
    "Drawing coordinate conversion to DAT file values complete.\r"
    "You can now save the new DAT file";

inline constexpr const char* kRadiusPrompt =
    "Change default Search Radius for Random Conversion Process.   Suggested value is .01 "
    "drawing units";
inline constexpr const char* kRadiusTitle = "Change Search Radius";
inline constexpr const char* kRadiusRefusedText =
    "Invalid entry, Search Radius must be a number greater than 0";

// Line collection, DAT list generation and the preview, for a drawing whose
// entity order is the cutting path.
void convertSequentialDrawing(documents::DrawingWindow& window);

// DAT list generation and the preview from the coordinate list as it stands
// (normally the path the reorganization just recorded).
void convertCoordinateList(documents::DrawingWindow& window);

// Asks until the answer is a number greater than 0 or the box is cancelled.
void changeSearchRadius(shell::MainWindow& main);

}  // namespace brondel::coordfiles
