#include "base/numbers.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <system_error>
#include <type_traits>

#include "base/error.h"
#include "base/short_decimal.h"

namespace brondel::base {

namespace {

// Room for any double in fixed notation (309 integer digits or 324 decimals).
constexpr std::size_t kFixedCapacity = 400;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void overflow() {
    throw Error(err::kOverflow);
}

// Resolves a value that lies within rounding noise of a half ten-thousandth
// by its shortest decimal form, which is what the user wrote or sees.
std::int64_t unitsFromShortestDecimal(double value) {
    std::array<char, kFixedCapacity> text{};
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    const char* p = text.data();
    const char* const end = written.ptr;
    const bool negative = *p == '-';
    if (negative) {
        ++p;
    }
    std::uint64_t whole = 0;
    for (; p != end && isDigit(*p); ++p) {
        whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    std::uint64_t decimals = 0;
    int fifth = 0;
    bool beyondFifth = false;
    int place = 0;
    if (p != end && *p == '.') {
        ++p;
    }
    for (; p != end; ++p, ++place) {
        const int digit = *p - '0';
        if (place < 4) {
            decimals = decimals * 10 + static_cast<std::uint64_t>(digit);
        } else if (place == 4) {
            fifth = digit;
        } else if (digit != 0) {
            beyondFifth = true;
        }
    }
    for (; place < 4; ++place) {
        decimals *= 10;
    }
    std::uint64_t units = whole * 10000 + decimals;
    const bool up = fifth > 5 || (fifth == 5 && (beyondFifth || units % 2 == 1));
    if (up) {
        ++units;
    }
    if (units > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        overflow();
    }
    const auto signedUnits = static_cast<std::int64_t>(units);
    return negative ? -signedUnits : signedUnits;
}

// Whether a number that from_chars found out of range is too small rather
// than too large: the decimal exponent of its first significant digit.
bool isBelowRange(std::string_view number) {
    std::size_t i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
        ++i;
    }
    long magnitude = 0;
    bool seenSignificant = false;
    for (; i < number.size() && isDigit(number[i]); ++i) {
        if (seenSignificant || number[i] != '0') {
            seenSignificant = true;
            ++magnitude;
        }
    }
    --magnitude;  // one integer digit means 10^0
    if (i < number.size() && number[i] == '.') {
        ++i;
        for (; i < number.size() && isDigit(number[i]) && !seenSignificant; ++i) {
            if (number[i] != '0') {
                seenSignificant = true;
            } else {
                --magnitude;
            }
        }
        while (i < number.size() && isDigit(number[i])) {
            ++i;
        }
    }
    long exponent = 0;
    if (i < number.size()) {
        ++i;  // E or D
        bool negativeExponent = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
            negativeExponent = number[i] == '-';
            ++i;
        }
        for (; i < number.size() && isDigit(number[i]); ++i) {
            exponent = std::min(exponent * 10 + (number[i] - '0'), 100000L);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    return magnitude + exponent < 0;
}

template <typename Real>
Real convertNumber(std::string_view number) {
    if constexpr (std::is_same_v<Real, double>) {
        double value = 0;
        if (readShortDecimal(number, value)) {
            return value;
        }
    }
    // from_chars knows neither a leading plus nor the Fortran exponent letter.
    std::array<char, 64> small{};
    std::string large;
    char* buffer = small.data();
    if (number.size() > small.size()) {
        large.resize(number.size());
        buffer = large.data();
    }
    std::size_t length = 0;
    for (char c : number) {
        if (c == '+') {
            continue;
        }
        buffer[length++] = (c == 'd' || c == 'D') ? 'e' : c;
    }
    Real value{};
    const auto result = std::from_chars(buffer, buffer + length, value);
    if (result.ec == std::errc::result_out_of_range) {
        if (!isBelowRange(number)) {
            overflow();
        }
        return number.front() == '-' ? -Real(0) : Real(0);
    }
    if (result.ec != std::errc{} || result.ptr != buffer + length) {
        throw Error(err::kTypeMismatch);
    }
    return value;
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::int64_t coordinateUnits(double value) {
    if (!std::isfinite(value)) {
        overflow();
    }
    const double scaled = value * 10000.0;
    if (!(std::fabs(scaled) < 0x1p63)) {
        overflow();
    }
    const double floor = std::floor(scaled);
    const double fraction = scaled - floor;
    // Four units in the last place cover the error of the value and of the
    // multiplication; inside that band the decimal digits decide.
    if (std::fabs(fraction - 0.5) <= std::fabs(scaled) * 0x1p-50) {
        return unitsFromShortestDecimal(value);
    }
    return static_cast<std::int64_t>(floor) + (fraction > 0.5 ? 1 : 0);
}

double roundToCoordinate(double value) {
    return static_cast<double>(coordinateUnits(value)) / 10000.0;
}

char* writeCoordinateText(char* out, double value) {
    const std::int64_t units = coordinateUnits(value);
    std::uint64_t magnitude = static_cast<std::uint64_t>(units);
    if (units < 0) {
        *out++ = '-';
        magnitude = ~magnitude + 1;
    }
    const std::uint64_t whole = magnitude / 10000;
    auto decimals = static_cast<unsigned>(magnitude % 10000);
    out = std::to_chars(out, out + 20, whole).ptr;
    if (decimals != 0) {
        *out++ = '.';
        unsigned divisor = 1000;
        while (decimals != 0) {
            *out++ = static_cast<char>('0' + decimals / divisor);
            decimals %= divisor;
            divisor /= 10;
        }
    }
    return out;
}

std::string coordinateText(double value) {
    std::array<char, kCoordinateTextCapacity> text{};
    char* end = writeCoordinateText(text.data(), value);
    return std::string(text.data(), end);
}

std::size_t numberLength(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t wholeStart = i;
    while (i < n && isDigit(text[i])) {
        ++i;
    }
    std::size_t digits = i - wholeStart;
    if (i < n && text[i] == '.') {
        std::size_t j = i + 1;
        while (j < n && isDigit(text[j])) {
            ++j;
        }
        digits += j - i - 1;
        if (digits > 0) {
            i = j;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        const std::size_t exponentStart = j;
        while (j < n && isDigit(text[j])) {
            ++j;
        }
        if (j > exponentStart) {
            i = j;
        }
    }
    return i;
}

double numberValue(std::string_view number) {
    return convertNumber<double>(number);
}

float singleNumberValue(std::string_view number) {
    return convertNumber<float>(number);
}

// Rows are mostly read back as this program wrote them: those take the
// short road.
double numericPrefix(std::string_view text) {
    if (double written = 0; readShortDecimal(text, written)) {
        return written;
    }
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) {
        return 0.0;
    }
    text.remove_prefix(start);
    const std::size_t length = numberLength(text);
    return length == 0 ? 0.0 : numberValue(text.substr(0, length));
}

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || numberLength(text) != text.size()) {
        return std::nullopt;
    }
    try {
        return numberValue(text);
    } catch (const Error&) {
        return std::nullopt;
    }
}

std::optional<int> readCount(std::string_view answer, int limit) {
    const auto value = parseNumber(answer);
    if (!value || *value < 1.0 || *value > static_cast<double>(limit)) {
        return std::nullopt;
    }
    return static_cast<int>(roundHalfEven(*value));
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5) {
        return floor + 1.0;
    }
    if (fraction < 0.5) {
        return floor;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::int32_t toCount(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        overflow();
    }
    return static_cast<std::int32_t>(rounded);
}

float toSingle(double value) {
    const double magnitude = std::fabs(value);
    if (std::isnan(value) || magnitude <= FLT_MAX) {
        return static_cast<float>(value);
    }
    // Halfway between FLT_MAX and the next power of two rounds away to infinity.
    if (magnitude < 0x1.ffffffp127) {
        return value < 0 ? -FLT_MAX : FLT_MAX;
    }
    overflow();
}

double roundToSingle(double value) {
    return static_cast<double>(toSingle(value));
}

void appendDecimalText(std::string& out, double value) {
    if (value == 0.0) {
        out += '0';
        return;
    }
    std::array<char, kFixedCapacity> text{};
    auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed).ptr;
    const auto first = std::find_if(text.data(), end, [](char c) { return c >= '1' && c <= '9'; });
    const auto last =
        std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(first),
                     [](char c) { return c >= '1' && c <= '9'; })
            .base();
    const auto significant = std::count_if(first, last, isDigit);
    if (significant > 15) {
        std::array<char, 32> rounded{};
        const auto shortened = std::to_chars(rounded.data(), rounded.data() + rounded.size(), value,
                                             std::chars_format::scientific, 14);
        double fifteenDigits = 0.0;
        std::from_chars(rounded.data(), shortened.ptr, fifteenDigits);
        end = std::to_chars(text.data(), text.data() + text.size(), fifteenDigits,
                            std::chars_format::fixed)
                  .ptr;
    }
    out.append(text.data(), end);
}

std::string decimalText(double value) {
    std::string text;
    appendDecimalText(text, value);
    return text;
}

std::string cursorText(double value) {
    std::array<char, kFixedCapacity> text{};
    const char* end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 7)
            .ptr;
    std::string_view fixed(text.data(), static_cast<std::size_t>(end - text.data()));
    const auto point = fixed.find('.');
    if (point == std::string_view::npos) {
        return std::string(fixed);  // infinity or NaN
    }
    std::string_view sign = fixed.substr(0, fixed[0] == '-' ? 1 : 0);
    std::string_view whole = fixed.substr(sign.size(), point - sign.size());
    std::string_view decimals = fixed.substr(point + 1);
    decimals = decimals.substr(0, decimals.find_last_not_of('0') + 1);
    if (whole == "0") {
        whole = {};
    }
    if (whole.empty() && decimals.empty()) {
        sign = {};
    }
    std::string result;
    result.reserve(fixed.size());
    result.append(sign).append(whole).append(".").append(decimals);
    return result;
}

std::string cursorPositionText(double x, double y) {
    return "X: " + cursorText(x) + "   Y: " + cursorText(y);
}

}  // namespace brondel::base
