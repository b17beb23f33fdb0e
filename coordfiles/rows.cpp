#include "coordfiles/rows.h"

#include <array>

#include "base/error.h"
#include "base/short_decimal.h"

namespace brondel::coordfiles {

namespace {

std::string row(double x, std::string_view separator, double y) {
    std::array<char, kRowCapacity> text{};
    char* end = base::writeCoordinateText(text.data(), x);
    end = separator.copy(end, separator.size()) + end;
    end = base::writeCoordinateText(end, y);
    return std::string(text.data(), end);
}

RowPoint readRow(std::string_view text, std::string_view separator) {
    // Rows this program wrote (a number, the separator, a number) are read
    // in one pass; the parts' rules give the same for them.
    RowPoint written;
    const std::size_t first = base::readShortDecimalPrefix(text, written.x);
    if (first > 0 && text.substr(first).starts_with(separator)) {
        const std::string_view second = text.substr(first + separator.size());
        if (!second.empty() && base::readShortDecimalPrefix(second, written.y) == second.size()) {
            return written;
        }
    }
    const RowParts parts = splitRow(text, separator);
    return {base::numericPrefix(parts.first), base::numericPrefix(parts.second)};
}

}  // namespace

std::string coordinateRow(double x, double y) {
    return row(x, kCoordinateRowSeparator, y);
}

std::string datRow(double x, double y) {
    return row(x, kDatRowSeparator, y);
}

RowParts splitRow(std::string_view row, std::string_view separator) {
    const auto cut = row.find(separator);
    if (cut == std::string_view::npos) {
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    }
    std::string_view rest = row.substr(cut + separator.size());
    return {row.substr(0, cut), rest.substr(0, rest.find(separator))};
}

RowPoint readCoordinateRow(std::string_view row) {
    return readRow(row, kCoordinateRowSeparator);
}

RowPoint readDatRow(std::string_view row) {
    return readRow(row, kDatRowSeparator);
}

}  // namespace brondel::coordfiles
