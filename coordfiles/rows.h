#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/numbers.h"

// The two kinds of list row: a coordinate list row is x ", " y in drawing
// units, a DAT list row is x " " y normalized; both in coordinate text.
namespace brondel::coordfiles {

inline constexpr std::string_view kCoordinateRowSeparator = ", ";
inline constexpr std::string_view kDatRowSeparator = " ";

// Room for one row: two coordinate texts and the longer separator.
inline constexpr std::size_t kRowCapacity = 2 * base::kCoordinateTextCapacity + 2;

struct RowPoint {
    double x = 0.0;
    double y = 0.0;
};

struct RowParts {
    std::string_view first;
    std::string_view second;
};

// Fails with Error kOverflow for a value beyond the range of coordinate text.
std::string coordinateRow(double x, double y);
std::string datRow(double x, double y);

// The first two parts of row split at separator; a row without the separator
// has no second part and fails with error 9 "Subscript out of range".
RowParts splitRow(std::string_view row, std::string_view separator);

// The row's x and y by the numeric prefix rule.
RowPoint readCoordinateRow(std::string_view row);
RowPoint readDatRow(std::string_view row);

}  // namespace brondel::coordfiles
