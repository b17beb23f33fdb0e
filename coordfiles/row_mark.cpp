#include "coordfiles/row_mark.h"

#include "base/error.h"
#include "base/numbers.h"
#include "coordfiles/rows.h"

namespace brondel::coordfiles {

std::optional<engine::Point2> rowMarkPoint(documents::ListView list, std::string_view row) {
    try {
        const RowPoint p =
            list == documents::ListView::Coordinate ? readCoordinateRow(row) : readDatRow(row);
        return engine::Point2{p.x, p.y};
    } catch (const Error&) {
        return std::nullopt;
    }
}

std::string rowStepText(documents::ListView list, const std::vector<std::string>& rows,
                        std::size_t row) {
    const char* what = list == documents::ListView::Coordinate ? "Vertex " : "Step ";
    std::string text = what + std::to_string(row + 1) + " of " + std::to_string(rows.size());
    const std::optional<engine::Point2> p =
        row < rows.size() ? rowMarkPoint(list, rows[row]) : std::nullopt;
    if (p) {
        text += ": " + base::decimalText(p->x) + ", " + base::decimalText(p->y);
    }
    return text;
}

DatPathMarks datPathMarks(const std::vector<std::string>& datRows) {
    std::vector<engine::Point2> path;
    path.reserve(datRows.size());
    for (const std::string& row : datRows) {
        if (const auto p = rowMarkPoint(documents::ListView::Dat, row)) {
            path.push_back(*p);
        }
    }
    DatPathMarks marks;
    if (!path.empty()) {
        marks.start = path.front();
    }
    marks.arrows = pathArrows(path, kPathArrows);
    return marks;
}

}  // namespace brondel::coordfiles
