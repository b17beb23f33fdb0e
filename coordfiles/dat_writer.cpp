#include "coordfiles/dat_writer.h"

#include "base/atomic_file.h"
#include "base/numbers.h"
#include "coordfiles/rows.h"
#include "engine/cad.h"

namespace brondel::coordfiles {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether part already is the number text of its own value: no exponent, no
// superfluous zeros or sign, at most 15 digits. Every row made in coordinate
// text is, so most rows are copied as they stand.
bool isNumberText(std::string_view part) {
    std::size_t i = part.starts_with('-') ? 1 : 0;
    const std::size_t signLength = i;
    if (i == part.size() || !isDigit(part[i])) {
        return false;
    }
    if (part[i] == '0') {
        ++i;
        if (i == part.size()) {
            return signLength == 0;
        }
    } else {
        while (i < part.size() && isDigit(part[i])) {
            ++i;
        }
    }
    std::size_t digits = i - signLength;
    if (i < part.size()) {
        if (part[i] != '.') {
            return false;
        }
        const std::size_t decimalsStart = ++i;
        while (i < part.size() && isDigit(part[i])) {
            ++i;
        }
        if (i == decimalsStart || i != part.size() || part.back() == '0') {
            return false;
        }
        digits += i - decimalsStart;
    }
    return digits <= 15;
}

void appendNumber(std::string& bytes, std::string_view part) {
    if (isNumberText(part)) {
        bytes.append(part);
    } else {
        base::appendDecimalText(bytes, base::numericPrefix(part));
    }
}

}  // namespace

std::string renderDatFile(std::span<const std::string> datRows) {
    std::string bytes;
    bytes.reserve(datRows.size() * 16);
    for (const std::string& row : datRows) {
        const RowParts parts = splitRow(row, kDatRowSeparator);
        appendNumber(bytes, parts.first);
        bytes += ' ';
        appendNumber(bytes, parts.second);
        bytes += "\r\n";
    }
    return bytes;
}

void writeDatFile(const std::string& path, std::span<const std::string> datRows) {
    const std::string bytes = renderDatFile(datRows);
    // NAME.dat.bak: NAME.bak is the drawing's, often beside it.
    base::writeFileAtomically(
        path, [&](std::ostream& out) { out << bytes; },
        engine::CadGetKeepBackup() ? path + ".bak" : std::string());
}

}  // namespace brondel::coordfiles
