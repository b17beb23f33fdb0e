#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The program's number rules, in one place: how numbers are written into list
// rows and the status bar, how they are read back from rows and typed answers,
// and how counts and single-precision values are rounded. Nothing here depends
// on the C++ locale.
namespace brondel::base {

// ---- Coordinate text -------------------------------------------------------

// Room a coordinate text needs: sign, 15 integer digits, point, 4 decimals.
inline constexpr std::size_t kCoordinateTextCapacity = 24;

// The value in ten-thousandths, rounded to the nearest whole one with exact
// halves to the even one. A half is judged on the value's shortest decimal
// form, so 0.00015 and 1.00005 are halves as written even though their binary
// values lie a hair off. Fails with Error kOverflow beyond
// +-922,337,203,685,477.5807 and for infinities and NaN.
std::int64_t coordinateUnits(double value);

// The value rounded to a multiple of 0.0001 as above.
double roundToCoordinate(double value);

// Writes the coordinate text of value at out (kCoordinateTextCapacity bytes
// of room) and returns the end: shortest decimal form of the rounded value, no
// exponent, no trailing zeros, full stop, "0" for every value that rounds to 0.
char* writeCoordinateText(char* out, double value);

std::string coordinateText(double value);

// ---- Reading numbers -------------------------------------------------------

// Length of the number that starts text: optional sign, digits with an
// optional full stop and decimals (".5" and "5." count), and an optional
// exponent (E or D, optional sign, digits). 0 when text does not start with
// a number.
std::size_t numberLength(std::string_view text);

// The value of a number of numberLength() characters. Values too small for a
// double read as 0; too large ones fail with Error kOverflow.
double numberValue(std::string_view number);
float singleNumberValue(std::string_view number);

// The numeric prefix rule for row parts and lenient answers: leading blanks
// and tabs are skipped, the number at the start is read, anything after it is
// ignored; text that does not start with a number reads as 0. A comma is
// never a decimal separator.
double numericPrefix(std::string_view text);

// A typed answer that must be a number and nothing else (blanks around it
// allowed); nothing when it is not one or too large for a double.
std::optional<double> parseNumber(std::string_view text);

// The segment count of a typed answer: a number from 1 to limit, rounded to
// the nearest whole number with halves to the even one ("2.5" gives 2, "1e2"
// gives 100). Nothing when the answer is not a number or out of range; an
// empty answer means cancel and is the caller's to check first.
std::optional<int> readCount(std::string_view answer, int limit);

// ---- Rounding --------------------------------------------------------------

// Nearest whole number, exact halves to the even neighbour.
double roundHalfEven(double value);

// roundHalfEven as a 32-bit count; Error kOverflow when it does not fit.
std::int32_t toCount(double value);

// The value in single precision, rounded to nearest. Error kOverflow when it
// is beyond the range of a float (NaN passes through).
float toSingle(double value);

// The value rounded to single precision and widened again: 1000.1 gives
// 1000.0999755859375.
double roundToSingle(double value);

// ---- Other texts -----------------------------------------------------------

// Shortest decimal form with at most 15 significant digits, no exponent, no
// trailing zeros, leading zero before the point, "0" for zero of either sign.
// Used for DAT file numbers and default answers shown in input boxes.
std::string decimalText(double value);
void appendDecimalText(std::string& out, double value);

// The status bar's cursor number: as many integer digits as needed and none
// for a zero integer part, the point always shown, up to 7 decimals without
// trailing zeros ("12.", ".5", "-3.25", "1.2345679", "." for 0).
std::string cursorText(double value);

// "X: " x "   Y: " y, each in cursorText.
std::string cursorPositionText(double x, double y);

}  // namespace brondel::base
