#include "coordfiles/row_mark.h"

#include "coordfiles/rows.h"
#include "engine/error.h"

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

}  // namespace brondel::coordfiles
