#include "coordfiles/dat_generation.h"

#include <gtest/gtest.h>

#include "coordfiles/rows.h"

namespace brondel::coordfiles {
namespace {

using Rows = std::vector<std::string>;

Rows coordinateRows(std::initializer_list<std::pair<double, double>> points) {
    Rows rows;
    for (const auto& [x, y] : points) {
        rows.push_back(coordinateRow(x, y));
    }
    return rows;
}

TEST(DatGeneration, NormalizesToTheWidthOfTheShape) {
    struct Case {
        Rows coordinates;
        Rows dat;
    };
    const Case cases[] = {
        {coordinateRows({{0, 0}, {10, 5}, {20, 0}}), {"0 0", "0.5 0.25", "1 0"}},
        {coordinateRows({{-10, -2}, {0, 3}, {10, -2}}), {"0 0", "0.5 0.25", "1 0"}},
        // Narrower than one unit: not enlarged.
        {coordinateRows({{0, 0}, {0.5, 0.25}, {0.25, 0}}), {"0 0", "0.5 0.25", "0.25 0"}},
        {coordinateRows({{0, 0}, {3, 1}, {3, 0}}), {"0 0", "1 0.3333", "1 0"}},
        // Exact halves of a ten-thousandth go to the even one.
        {coordinateRows({{0, 0}, {32, 1}, {32, 3}}), {"0 0", "1 0.0312", "1 0.0938"}},
        // Duplicates and order are kept.
        {coordinateRows({{0, 0}, {10, 0}, {10, 5}, {0, 0}, {0, 0}}),
         {"0 0", "1 0", "1 0.5", "0 0", "0 0"}},
    };
    for (const Case& c : cases) {
        const DatGeneration result = generateDatList(c.coordinates);
        EXPECT_EQ(result.outcome, DatGenerationOutcome::Generated);
        EXPECT_EQ(result.rows, c.dat) << c.coordinates[1];
    }
}

TEST(DatGeneration, ExtremesAreHeldInSinglePrecision) {
    // 1234.5678 as a float is 1234.5677490234375, which shows in the fourth
    // decimal of every x.
    const DatGeneration result =
        generateDatList(coordinateRows({{1234.5678, 0}, {1235.0678, 0.25}, {1234.8678, 0}}));
    EXPECT_EQ(result.rows, (Rows{"0.0001 0", "0.5001 0.25", "0.3001 0"}));
}

TEST(DatGeneration, FewerThanThreeRowsIsReportedApart) {
    EXPECT_EQ(generateDatList(coordinateRows({{0, 0}, {1, 1}})).outcome,
              DatGenerationOutcome::TooFewRows);
    EXPECT_EQ(generateDatList({}).outcome, DatGenerationOutcome::TooFewRows);
}

TEST(DatGeneration, BadRowsAndHugeValuesFailWithoutRows) {
    const Rows missingBlank = {"0, 0", "10,5", "20, 0"};
    const Rows beyondSingle = {"0, 0", "1e39, 5", "20, 0"};
    const Rows beyondWidth = {"-3e38, 0", "3e38, 5", "0, 0"};
    for (const Rows& rows : {missingBlank, beyondSingle, beyondWidth}) {
        const DatGeneration result = generateDatList(rows);
        EXPECT_EQ(result.outcome, DatGenerationOutcome::Failed) << rows[1];
        EXPECT_TRUE(result.rows.empty());
    }
}

TEST(DatGeneration, ReportsProgressOncePerRow) {
    int calls = 0;
    const Rows rows = coordinateRows({{0, 0}, {1, 1}, {2, 0}, {3, 1}});
    generateDatList(rows, [&] { ++calls; });
    EXPECT_EQ(calls, 4);
}

}  // namespace
}  // namespace brondel::coordfiles
