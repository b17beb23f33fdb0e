#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coordfiles/path_arrows.h"
#include "documents/drawing_window.h"
#include "engine/geometry.h"

namespace brondel::coordfiles {

// The point a picked row of the coordinate list (in the drawing) or of the
// DAT list (in the preview) stands for, to mark it over that view; none for
// a row that holds no point.
std::optional<engine::Point2> rowMarkPoint(documents::ListView list, std::string_view row);

// What the prompt panel says of a picked row: "Step 12 of 136: 0.25, 0.0312"
// for the DAT list, "Vertex ..." for the coordinate list.
std::string rowStepText(documents::ListView list, const std::vector<std::string>& rows,
                        std::size_t row);

// The DAT path's start and the arrows that show its direction, in the
// preview's coordinates.
struct DatPathMarks {
    std::optional<engine::Point2> start;
    std::vector<PathArrow> arrows;
};
DatPathMarks datPathMarks(const std::vector<std::string>& datRows);

}  // namespace brondel::coordfiles
