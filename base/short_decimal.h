#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace brondel::base {

// Reads the plain decimal that starts text ("-12.3456": an optional minus,
// digits, and when a point is given, digits after it) whose digits fit in 53
// bits, the form nearly every coordinate in a file or a list row takes. Such
// a value is its digits as a whole number divided by a power of ten, both
// exact in a double, so the one rounded division gives the nearest double,
// the same value std::from_chars answers, without its general machinery.
// Answers its length; 0, with out untouched, when text starts otherwise or
// its digits go past that form: the caller then reads it the general way.
inline std::size_t readShortDecimalPrefix(std::string_view text, double& out) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    if (negative) {
        ++p;
    }
    std::uint64_t digits = 0;
    const char* const wholeStart = p;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        digits = digits * 10 + std::uint64_t(*p - '0');
        if (digits >= kExactLimit) {
            return 0;
        }
    }
    if (p == wholeStart) {
        return 0;
    }
    std::size_t decimals = 0;
    if (p != end && *p == '.') {
        ++p;
        const char* const decimalStart = p;
        for (; p != end && *p >= '0' && *p <= '9'; ++p) {
            digits = digits * 10 + std::uint64_t(*p - '0');
            if (digits >= kExactLimit) {
                return 0;
            }
        }
        decimals = std::size_t(p - decimalStart);
        if (decimals == 0 || decimals >= std::size(kPowersOfTen)) {
            return 0;
        }
    }
    const double value = double(digits) / kPowersOfTen[decimals];
    out = negative ? -value : value;
    return std::size_t(p - text.data());
}

// As readShortDecimalPrefix, for the whole of text; false, with out
// untouched, for any other text.
inline bool readShortDecimal(std::string_view text, double& out) {
    double value = 0;
    if (text.empty() || readShortDecimalPrefix(text, value) != text.size()) {
        return false;
    }
    out = value;
    return true;
}

}  // namespace brondel::base
