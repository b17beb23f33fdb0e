#pragma once

#include <string>
#include <vector>

#include "documents/drawing_window.h"

// The two views of a drawing window: the drawing with its coordinate list,
// and the DAT preview with the DAT list. Both lists share the frame whose
// caption names the one shown.
namespace brondel::coordfiles {

inline constexpr const char* kCoordinateListCaption = "Coordinate List";
inline constexpr const char* kDatListCaption = "DAT List";

void showCoordinateView(documents::DrawingWindow& window);
void showDatView(documents::DrawingWindow& window);

// Shows the list frame when hidden and hides it when shown; the check mark
// of the menu item follows.
void toggleListFrame(documents::DrawingWindow& window);

// Replaces a list's rows and tells whoever shows it.
void setRows(documents::ListBox& list, std::vector<std::string> rows);

}  // namespace brondel::coordfiles
