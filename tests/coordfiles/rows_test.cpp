#include "coordfiles/rows.h"

#include <gtest/gtest.h>

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

TEST(Rows, ARowWithoutItsSeparatorHasNoSecondPart) {
    const testing::Thrown e = testing::thrown([] { readCoordinateRow("1,2"); });
    EXPECT_EQ(e.number, 9);
    EXPECT_EQ(e.description, "Subscript out of range");
    EXPECT_THROW(readDatRow("0.5"), Error);
}

}  // namespace
}  // namespace brondel::coordfiles
