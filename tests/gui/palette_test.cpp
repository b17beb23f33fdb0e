#include "app/desktop/palette.h"

#include <gtest/gtest.h>

namespace brondel::desktop {
namespace {

TEST(PaletteTest, TrueBlackDrawsInTheForegroundColourLikeColourSeven) {
    EXPECT_EQ(colorOf({7, 0}), aciColor(7));  // colour 7 as many writers store it
    EXPECT_EQ(colorOf({256, 0}), aciColor(7));
    EXPECT_EQ(colorOf({1, 0x102030}), 0xff102030u);
    EXPECT_EQ(colorOf({1, -1}), 0xffff0000u);
}

}  // namespace
}  // namespace brondel::desktop
