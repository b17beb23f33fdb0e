#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "base/error.h"
#include "tests/support/thrown.h"

namespace brondel::base {
namespace {

int errorNumberOf(const auto& action) {
    return testing::thrown(action).number;
}

// Halves go to the even multiple as written: exact binary halves and decimal
// halves whose binary value lies a hair to either side (0.00015 lies below,
// 0.00305 above) round alike. Zero, and values rounding to it, have no sign.
TEST(CoordinateText, RoundsToTenThousandthsInShortestForm) {
    const std::pair<double, const char*> cases[] = {
        {1.23456, "1.2346"},   {2.5, "2.5"},           {3.0, "3"},
        {-0.25, "-0.25"},      {0.12345678, "0.1235"}, {-0.50, "-0.5"},
        {0.00004, "0"},        {12.5, "12.5"},         {-3.0625, "-3.0625"},
        {0.0001, "0.0001"},    {-1234.00005, "-1234"}, {100, "100"},
        {0.99996, "1"},        {7.0101, "7.0101"},     {0.03125, "0.0312"},
        {0.09375, "0.0938"},   {0.00005, "0"},         {0.00015, "0.0002"},
        {0.00025, "0.0002"},   {0.00305, "0.003"},     {0.00815, "0.0082"},
        {1.00005, "1"},        {1.00015, "1.0002"},    {-0.00015, "-0.0002"},
        {-0.03125, "-0.0312"}, {4096.00005, "4096"},   {123456.78905, "123456.789"},
        {-0.0, "0"},           {-0.00004, "0"},        {-0.00005, "0"},
        {-0.00006, "-0.0001"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(coordinateText(value), text) << value;
    }
}

TEST(CoordinateText, ValuesBeyondTheFixedPointRangeOverflow) {
    EXPECT_EQ(coordinateText(922337203685477.5), "922337203685477.5");
    EXPECT_EQ(coordinateText(-922337203685477.5), "-922337203685477.5");
    for (double value : {922337203685478.0, -1e15, 1e300, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(errorNumberOf([&] { coordinateText(value); }), err::kOverflow) << value;
    }
}

TEST(CoordinateText, RoundToCoordinateGivesTheMultipleItself) {
    EXPECT_DOUBLE_EQ(roundToCoordinate(1.23456), 1.2346);
    EXPECT_EQ(roundToCoordinate(0.03125), 0.0312);
    EXPECT_EQ(coordinateUnits(-2.5), -25000);
}

TEST(NumericPrefix, ReadsTheNumberAtTheStartAndIgnoresTheRest) {
    const std::pair<const char*, double> cases[] = {
        {"12.5", 12.5},
        {"  -3.0625", -3.0625},
        {"\t4", 4},
        {"abc", 0},
        {"", 0},
        {"5abc", 5},
        {"1,5", 1},
        {"1e2", 100},
        {"2.5E-1", 0.25},
        {"1D3", 1000},
        {"1d+2", 100},
        {"1e", 1},
        {"1e+", 1},
        {"-.5", -0.5},
        {"5.", 5},
        {"+7", 7},
        {".", 0},
        {"-", 0},
        {"1 2", 1},
        {"0.5 0.25", 0.5},
        {"1e-400", 0},
        {"-1e-400", 0},
        {"0.000000000000000000001e-310", 0},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(numericPrefix(text), value) << text;
    }
    EXPECT_TRUE(std::signbit(numericPrefix("-0")));
}

TEST(NumericPrefix, NumbersTooLargeForADoubleOverflow) {
    EXPECT_EQ(errorNumberOf([] { numericPrefix("1e400"); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { numericPrefix("-99999e99999999999999999999"); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { singleNumberValue("1e39"); }), err::kOverflow);
    EXPECT_EQ(singleNumberValue("1e-50"), 0.0f);
    EXPECT_EQ(singleNumberValue("-.0180225"), -0.0180225f);
}

TEST(TypedNumbers, SegmentCountsAreWholeNumbersWithinTheLimit) {
    EXPECT_EQ(readCount("0.5", 100), std::nullopt);
    EXPECT_EQ(readCount("100.5", 100), std::nullopt);
    EXPECT_EQ(readCount("361", 360), std::nullopt);
    EXPECT_EQ(readCount("abc", 100), std::nullopt);
    EXPECT_EQ(readCount("7x", 100), std::nullopt);
    EXPECT_EQ(readCount("1e999", 100), std::nullopt);
    EXPECT_EQ(readCount("1e2", 100), 100);
    EXPECT_EQ(readCount("2.5", 100), 2);
    EXPECT_EQ(readCount("3.5", 100), 4);
    EXPECT_EQ(readCount(" 7 ", 100), 7);
    EXPECT_EQ(readCount("1", 100), 1);
    EXPECT_EQ(readCount("360", 360), 360);
}

TEST(TypedNumbers, ParseNumberNeedsTheWholeAnswer) {
    EXPECT_EQ(parseNumber("0.02"), 0.02);
    EXPECT_EQ(parseNumber(" -1 "), -1.0);
    EXPECT_EQ(parseNumber(""), std::nullopt);
    EXPECT_EQ(parseNumber("  "), std::nullopt);
    EXPECT_EQ(parseNumber("1,5"), std::nullopt);
    EXPECT_EQ(parseNumber("5 abc"), std::nullopt);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {2.4999, 2}, {2.5001, 3}, {-1.5, -2}, {-2.5, -2},
    };
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
    }
    EXPECT_EQ(toCount(32767.5), 32768);
    EXPECT_EQ(errorNumberOf([] { toCount(3e9); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toCount(std::nan("")); }), err::kOverflow);
}

TEST(Rounding, SinglePrecisionAndItsExtremes) {
    EXPECT_EQ(roundToSingle(1000.1), 1000.0999755859375);
    EXPECT_EQ(toSingle(FLT_MAX), FLT_MAX);
    EXPECT_EQ(toSingle(-3.4028235e38), -FLT_MAX);  // just above FLT_MAX, rounds down to it
    EXPECT_EQ(toSingle(1e-50), 0.0f);
    EXPECT_EQ(errorNumberOf([] { toSingle(3.5e38); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toSingle(-1e300); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toSingle(0x1.ffffffp127); }), err::kOverflow);
}

TEST(DecimalText, ShortestFormOfAtMostFifteenDigits) {
    const std::pair<double, const char*> cases[] = {
        {0.5, "0.5"},
        {0.25, "0.25"},
        {1, "1"},
        {0, "0"},
        {-0.0, "0"},
        {-2.5, "-2.5"},
        {0.01, "0.01"},
        {0.1 + 0.2, "0.3"},
        {1e-5, "0.00001"},
        {1e20, "100000000000000000000"},
        {123456789012345678.0, "123456789012346000"},
        {0.1234567890123456789, "0.123456789012346"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(decimalText(value), text) << value;
    }
}

TEST(CursorText, PointAlwaysShownAndUpToSevenDecimals) {
    const std::pair<double, const char*> cases[] = {
        {12, "12."}, {0.5, ".5"},        {-3.25, "-3.25"}, {1.23456789, "1.2345679"},    {0, "."},
        {-0.0, "."}, {-0.00000001, "."}, {-0.5, "-.5"},    {1234567.125, "1234567.125"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(cursorText(value), text) << value;
    }
    EXPECT_EQ(cursorPositionText(0, 0), "X: .   Y: .");
    EXPECT_EQ(cursorPositionText(12, -3.25), "X: 12.   Y: -3.25");
}

}  // namespace
}  // namespace brondel::base
