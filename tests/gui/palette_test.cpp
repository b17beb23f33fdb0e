#include "app/desktop/palette.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace brondel::desktop {
namespace {

TEST(PaletteTest, TrueBlackDrawsInTheForegroundColourLikeColourSeven) {
    EXPECT_EQ(colorOf({7, 0}), aciColor(7));  // colour 7 as many writers store it
    EXPECT_EQ(colorOf({256, 0}), aciColor(7));
    EXPECT_EQ(colorOf({1, 0x80c0ff}), 0xff80c0ffu);
    EXPECT_EQ(colorOf({1, -1}), 0xffff0000u);
}

TEST(PaletteTest, EveryIndexColourStandsOutFromTheGroundAndReadableOnesStayTrue) {
    for (std::int16_t aci = 1; aci < 256; ++aci) {
        EXPECT_GE(contrast(colorOf({aci, -1}), kDrawingBackground), kReadableContrast) << aci;
    }
    EXPECT_EQ(colorOf({1, -1}), aciColor(1));  // red reads well as it is
    EXPECT_EQ(colorOf({7, -1}), aciColor(7));
    const QRgb blue = colorOf({5, -1});  // lightened, still blue
    EXPECT_NE(blue, aciColor(5));
    EXPECT_GT(qBlue(blue), qRed(blue));
    EXPECT_GE(contrast(colorOf({1, 0x000040}), kDrawingBackground), kReadableContrast);
}

}  // namespace
}  // namespace brondel::desktop
