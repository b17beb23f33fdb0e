#include "base/short_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

namespace brondel::base {
namespace {

std::uint64_t bitsOf(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

double fromChars(const std::string& text) {
    double v = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    EXPECT_EQ(result.ec, std::errc{}) << text;
    EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
    return v;
}

TEST(ShortDecimal, ReadsPlainDecimalsBitForBitAsFromChars) {
    const char* taken[] = {"0",
                           "-0",
                           "-0.0",
                           "159154.9431",
                           "0.1",
                           "-42711.94286",
                           "9007199254740991",
                           "0.0000000000000000000001",
                           "123456789.012345",
                           "1.0000",
                           "-3.0625",
                           "00012.50"};
    for (const char* text : taken) {
        double v = 7;
        ASSERT_TRUE(readShortDecimal(text, v)) << text;
        EXPECT_EQ(bitsOf(v), bitsOf(fromChars(text))) << text;
    }
    // Random digit strings of every length around the 53-bit edge, with the
    // point anywhere: whatever is taken must equal the general reading.
    std::mt19937_64 random(14);
    int read = 0;
    for (int i = 0; i < 200000; ++i) {
        const int length = 1 + int(random() % 18);
        std::string text = random() % 2 ? "-" : "";
        const int point = int(random() % std::uint64_t(length + 1));
        for (int k = 0; k < length; ++k) {
            if (k == point && k > 0) {
                text += '.';
            }
            text += char('0' + random() % 10);
        }
        double v = 0;
        if (readShortDecimal(text, v)) {
            ++read;
            ASSERT_EQ(bitsOf(v), bitsOf(fromChars(text))) << text;
        }
    }
    EXPECT_GT(read, 150000);
}

TEST(ShortDecimal, LeavesEveryOtherFormToTheGeneralReader) {
    const char* left[] = {"",
                          "-",
                          ".5",
                          "5.",
                          "+1",
                          "1e5",
                          "1.5E-3",
                          "nan",
                          "inf",
                          "1,5",
                          " 1",
                          "1 ",
                          "--1",
                          "0x10",
                          "9007199254740993",
                          "12345678901234567890",
                          "0.00000000000000000000001"};
    for (const char* text : left) {
        double v = 7;
        EXPECT_FALSE(readShortDecimal(text, v)) << text;
        EXPECT_EQ(v, 7) << text;
    }
}

}  // namespace
}  // namespace brondel::base
