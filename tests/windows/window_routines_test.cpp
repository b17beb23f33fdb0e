#include "windows/window_routines.h"

#include <gtest/gtest.h>

#include "windows/forms.h"

namespace brondel::windows {
namespace {

TEST(WindowRoutines, CenterFormKeepsTheSizeAndMayGoNegative) {
    FormPlacement form{1, 2, 9525, 6030, false};
    CenterForm(form, {28800, 16200});
    EXPECT_EQ(form.left, (28800 - 9525) / 2);
    EXPECT_EQ(form.top, (16200 - 6030) / 2);
    EXPECT_EQ(form.width, 9525);
    EXPECT_EQ(form.height, 6030);

    FormPlacement huge{0, 0, 20000, 12000, false};
    CenterForm(huge, {12000, 9000});
    EXPECT_EQ(huge.left, -4000);
    EXPECT_EQ(huge.top, -1500);
}

}  // namespace
}  // namespace brondel::windows
