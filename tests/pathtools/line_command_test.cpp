#include <gtest/gtest.h>

#include "engine/commands.h"
#include "tests/pathtools/pick_session.h"

namespace brondel {
namespace {

using ports::Answer;
using testing::PickSession;

// Draw Line as the program's window drives it; the command itself is tested
// in the engine.
TEST(DrawLine, OtherKeysStillReachTheWindow) {
    PickSession s;
    s.vecad().Execute(engine::command::kDrawLine);
    const double scale = s.vecad().view().scale();
    s.active().keyPressed(107);  // keypad plus zooms in
    EXPECT_LT(s.vecad().view().scale(), scale);
    EXPECT_TRUE(s.vecad().commandRunning());
}

TEST(DrawLine, TheDiagonalDrawnForAnArrayIsTakenByTheNextPress) {
    PickSession s;
    s.main.click("DrawVerticalArray");
    EXPECT_TRUE(s.vecad().commandRunning());
    s.pressAt(0, 0);
    s.pressAt(10, 6);
    EXPECT_TRUE(s.modes().verticalArray);  // the command's presses are not picks
    s.active().keyPressed(13);

    s.dialogs().input("5").answer(Answer::Yes);
    s.pressAt(5, 3);
    const auto lines = s.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NEAR(lines[2].p1.x, 10, 1e-5);
    EXPECT_NEAR(lines[2].p2.y, 6, 1e-9);
    EXPECT_FALSE(s.modes().verticalArray);
}

}  // namespace
}  // namespace brondel
