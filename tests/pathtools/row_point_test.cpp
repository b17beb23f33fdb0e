#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include "base/numbers.h"
#include "coordfiles/rows.h"

// Reorganize draws the path from the points its rows were written from,
// each taken as its whole units over 10000, instead of reading every row
// back. That holds only if the two give the same doubles, bit for bit.
namespace brondel::coordfiles {
namespace {

TEST(RowPoint, ARowReadsBackAsItsUnitsOverTenThousand) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-20, 36);
    std::uniform_int_distribution<std::int64_t> units(-(std::int64_t{1} << 53),
                                                      std::int64_t{1} << 53);
    for (int i = 0; i < 200000; ++i) {
        // Values anywhere, and values right at a unit or half a unit.
        const double x = std::ldexp(mantissa(rng), exponent(rng));
        const double y = (static_cast<double>(units(rng) >> (i % 50)) + (i % 3) * 0.5) / 10000.0;
        const RowPoint read = readCoordinateRow(coordinateRow(x, y));
        const double ux = static_cast<double>(base::coordinateUnits(x)) / 10000.0;
        const double uy = static_cast<double>(base::coordinateUnits(y)) / 10000.0;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read.x), std::bit_cast<std::uint64_t>(ux)) << x;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read.y), std::bit_cast<std::uint64_t>(uy)) << y;
    }
}

}  // namespace
}  // namespace brondel::coordfiles
