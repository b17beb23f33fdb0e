#pragma once

#include <optional>
#include <string_view>

#include "documents/drawing_window.h"
#include "engine/geometry.h"

namespace brondel::coordfiles {

// The point a picked row of the coordinate list (in the drawing) or of the
// DAT list (in the preview) stands for, to mark it over that view; none for
// a row that holds no point.
std::optional<engine::Point2> rowMarkPoint(documents::ListView list, std::string_view row);

}  // namespace brondel::coordfiles
