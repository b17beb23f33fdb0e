#include "engine/dimension_style.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace brondel::engine {

namespace {

// Larger sizes are typing slips: no drawing's text is a kilometre high.
constexpr double kLargest = 1e6;

bool size(double value, bool zeroAllowed) {
    return std::isfinite(value) && value <= kLargest && (zeroAllowed ? value >= 0 : value > 0);
}

}  // namespace

std::string refusedDimStyle(const DimStyle& s) {
    if (!size(s.textHeight, false)) {
        return "The text height is a size above 0, at most 1000000";
    }
    if (!size(s.arrowSize, true)) {
        return "The arrow size is a size from 0 to 1000000";
    }
    if (!size(s.extOffset, true) || !size(s.extExtension, true) || !size(s.textGap, true)) {
        return "The extension offset, the extension and the text gap are sizes from 0 to 1000000";
    }
    if (!size(s.centerMark, true)) {
        return "The centre mark is a size from 0 to 1000000";
    }
    if (!size(s.scale, false)) {
        return "The overall scale is a number above 0, at most 1000000";
    }
    if (s.decimals < 0 || s.decimals > 8) {
        return "Decimals are a whole number from 0 to 8";
    }
    return {};
}

bool namesDimStyle(const DimStyle& style, const std::string& name) {
    return std::equal(style.name.begin(), style.name.end(), name.begin(), name.end(),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace brondel::engine
