#include <gtest/gtest.h>

#include "engine/commands.h"
#include "tests/pathtools/pick_session.h"

namespace brondel {
namespace {

using engine::Point3;
using ports::Answer;
using testing::PickSession;

void rightPressAt(PickSession& s, double x, double y) {
    const engine::Point2 at = s.vecad().view().toWindow(x, y);
    s.active().buttonPressed(at.x, at.y, true);
}

TEST(DrawLine, PressesChainLinesKeptAsOneUndoStep) {
    PickSession s;
    s.vecad().Execute(engine::command::kDrawLine);
    s.pressAt(0, 0);
    s.pressAt(10, 0);
    s.pressAt(10, 10);
    EXPECT_EQ(s.vecad().GetNumEntities(), 0);
    s.active().keyPressed(13);
    const auto lines = s.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NEAR(lines[0].p2.x, 10, 1e-9);
    EXPECT_EQ(lines[1].p1, lines[0].p2);
    EXPECT_EQ(lines[1].p2.z, 0);

    s.vecad().Execute(engine::command::kUndo);
    EXPECT_EQ(s.lines().size(), 0u);
}

// Enter and a right press keep the line, Escape drops it.
TEST(DrawLine, EnterEscapeOrARightPressEndIt) {
    for (int way = 0; way < 3; ++way) {
        PickSession s;
        s.vecad().Execute(engine::command::kDrawLine);
        s.pressAt(0, 0);
        s.pressAt(10, 0);
        if (way == 2) {
            rightPressAt(s, 30, 30);
        } else {
            s.active().keyPressed(way == 0 ? 13 : 27);
        }
        EXPECT_FALSE(s.vecad().commandRunning());
        s.pressAt(20, 20);
        EXPECT_EQ(s.lines().size(), way == 1 ? 0u : 1u);
    }
}

TEST(DrawLine, ANewDrawingEndsIt) {
    PickSession s;
    s.vecad().Execute(engine::command::kDrawLine);
    s.pressAt(0, 0);
    s.vecad().FileNew();
    EXPECT_FALSE(s.vecad().commandRunning());
}

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
