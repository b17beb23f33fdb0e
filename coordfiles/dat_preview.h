#pragma once

#include <cstddef>
#include <string>

#include "documents/drawing_window.h"

// The DAT preview: the window's DAT list drawn into its second drawing
// control as one chain of lines, and the step count in the prompt panel.
namespace brondel::coordfiles {

inline constexpr const char* kDrawingPreviewTask = "Drawing DAT preview";

// " 57 Steps in the DAT File" for 57 steps.
std::string stepCountText(std::size_t steps);

// A row that cannot be read is left out of the chain; a failing engine call
// is passed over so the rest of the preview still shows.
void showDatPreview(documents::DrawingWindow& window);

}  // namespace brondel::coordfiles
