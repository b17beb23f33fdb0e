#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "coordfiles/rows.h"
#include "pathtools/reorganize.h"

// Reorganize reads its own rows back with a reader of their one form: it
// must give readCoordinateRow's doubles bit for bit, for rows of any value
// and for rows of any other form.
namespace brondel::pathtools {
namespace {

void expectSameAsTheGeneralReader(const std::string& row) {
    const coordfiles::RowPoint quick = readPathRow(row);
    const coordfiles::RowPoint general = coordfiles::readCoordinateRow(row);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(quick.x), std::bit_cast<std::uint64_t>(general.x))
        << row;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(quick.y), std::bit_cast<std::uint64_t>(general.y))
        << row;
}

TEST(PathRows, ReadAsTheGeneralReaderReadsThem) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-20, 40);
    for (int i = 0; i < 200000; ++i) {
        const double x = std::ldexp(mantissa(rng), exponent(rng));
        const double y = std::round(std::ldexp(mantissa(rng), exponent(rng))) + (i % 4) * 0.25;
        ASSERT_NO_FATAL_FAILURE(expectSameAsTheGeneralReader(coordfiles::coordinateRow(x, y)));
    }
    for (const char* row :
         {"0, 0", "-0, 0.5", "99999999999.9999, -99999999999.9999", "100000000000, 1", "1.23456, 2",
          "1e3, 2", " 1, 2", "1, 2, 3", "1., 2", ".5, 2", "+1, 2", "--1, 2", "1, 2x"}) {
        ASSERT_NO_FATAL_FAILURE(expectSameAsTheGeneralReader(row));
    }
}

}  // namespace
}  // namespace brondel::pathtools
