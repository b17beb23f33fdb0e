#pragma once

#include "coordfiles/dat_generation.h"
#include "documents/drawing_window.h"

namespace brondel::coordfiles {

inline constexpr const char* kGeneratingDatListTask = "Generating DAT list";

// Rebuilds the window's DAT list from its coordinate list. Too few rows are
// reported and raise the application's generation failure flag; a row that
// cannot be read is reported too. In both cases the DAT list stays as it was.
DatGenerationOutcome generateWindowDatList(documents::DrawingWindow& window);

}  // namespace brondel::coordfiles
