#include "coordfiles/rows.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "base/error.h"
#include "tests/support/thrown.h"

namespace brondel::coordfiles {
namespace {

TEST(Rows, FormatsBothKindsInCoordinateText) {
    EXPECT_EQ(coordinateRow(12.5, -3.0625), "12.5, -3.0625");
    EXPECT_EQ(coordinateRow(0, 0), "0, 0");
    EXPECT_EQ(datRow(0.5, 0.25), "0.5 0.25");
    EXPECT_EQ(datRow(1.23456, -0.00004), "1.2346 0");
    EXPECT_THROW(datRow(1e300, 0), Error);
}

TEST(Rows, SplitTakesTheFirstTwoParts) {
    const RowParts parts = splitRow("1, 2, 3", kCoordinateRowSeparator);
    EXPECT_EQ(parts.first, "1");
    EXPECT_EQ(parts.second, "2");
    EXPECT_EQ(splitRow("1, ", kCoordinateRowSeparator).second, "");
    EXPECT_EQ(splitRow("0.5 0.25", kDatRowSeparator).second, "0.25");
}

TEST(Rows, ReadBackByThePrefixRule) {
    const RowPoint c = readCoordinateRow("12.5, -3.0625");
    EXPECT_EQ(c.x, 12.5);
    EXPECT_EQ(c.y, -3.0625);
    const RowPoint d = readDatRow("0.5 abc");
    EXPECT_EQ(d.x, 0.5);
    EXPECT_EQ(d.y, 0.0);
    // Comma without blank is no separator, and never a decimal point.
    const RowPoint spaced = readDatRow("1,5 2");
    EXPECT_EQ(spaced.x, 1.0);
    EXPECT_EQ(spaced.y, 2.0);
}

// Rows this program wrote are read in one pass: they must come out as the
// parts' rules read them, bit for bit, and any other row must go to those rules.
TEST(Rows, WrittenRowsReadAsTheirPartsRead) {
    const auto expectParts = [](const std::string& row, std::string_view separator) {
        const RowParts parts = splitRow(row, separator);
        const RowPoint read =
            separator == kCoordinateRowSeparator ? readCoordinateRow(row) : readDatRow(row);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read.x),
                  std::bit_cast<std::uint64_t>(base::numericPrefix(parts.first)))
            << row;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read.y),
                  std::bit_cast<std::uint64_t>(base::numericPrefix(parts.second)))
            << row;
    };
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-20, 40);
    for (int i = 0; i < 50000; ++i) {
        const double x = std::ldexp(mantissa(rng), exponent(rng));
        const double y = std::ldexp(mantissa(rng), exponent(rng));
        ASSERT_NO_FATAL_FAILURE(expectParts(coordinateRow(x, y), kCoordinateRowSeparator));
        ASSERT_NO_FATAL_FAILURE(expectParts(datRow(x, y), kDatRowSeparator));
    }
    for (const char* row : {"1, 2, 3", "1, ", "1, 2x", " 1, 2", "1.00005, 2", "1e3, 2", "-0, -0",
                            "123456789012, 1", "1.,  2", "--1, 2"}) {
        ASSERT_NO_FATAL_FAILURE(expectParts(row, kCoordinateRowSeparator));
    }
    for (const char* row : {"1 2 3", "1 ", "0.5  0.25", "1,5 2", "2.5 -.5"}) {
        ASSERT_NO_FATAL_FAILURE(expectParts(row, kDatRowSeparator));
    }
}

TEST(Rows, ARowWithoutItsSeparatorHasNoSecondPart) {
    const testing::Thrown e = testing::thrown([] { readCoordinateRow("1,2"); });
    EXPECT_EQ(e.number, 9);
    EXPECT_EQ(e.description, "Subscript out of range");
    EXPECT_THROW(readDatRow("0.5"), Error);
}

}  // namespace
}  // namespace brondel::coordfiles
