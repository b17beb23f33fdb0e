#include "pathtools/segmenting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "engine/cad.h"
#include "engine/commands.h"
#include "tests/pathtools/pick_session.h"

namespace brondel {
namespace {

using engine::Handle;
using engine::Point3;
using testing::PickSession;

constexpr char kLineRefusal[] =
    "Invalid entry, Number of Segments must be greater than 0 and not more than 100";

TEST(ArcChordPoints, HalfCircleInTwoMeetsAtTheMiddle) {
    const auto q = pathtools::arcChordPoints({1, 2}, 3, 0, std::numbers::pi, 2);
    ASSERT_EQ(q.size(), 3u);
    EXPECT_NEAR(q[1].x, 1, 1e-12);
    EXPECT_NEAR(q[1].y, 5, 1e-12);
    EXPECT_NEAR(q[2].x, -2, 1e-12);
    EXPECT_NEAR(std::hypot(q[1].x - q[0].x, q[1].y - q[0].y), 3 * std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(std::hypot(q[2].x - q[1].x, q[2].y - q[1].y), 3 * std::sqrt(2.0), 1e-12);
}

TEST(ArcChordPoints, ANegativeAngleRunsClockwise) {
    const auto q = pathtools::arcChordPoints({0, 0}, 1, 0, -std::numbers::pi / 2, 1);
    EXPECT_NEAR(q[1].x, 0, 1e-12);
    EXPECT_NEAR(q[1].y, -1, 1e-12);
}

TEST(ExplodeLine, ReplacesTheLineBySegmentsAlongItsDirectionAtZeroHeight) {
    PickSession s;
    s.vecad().AddLine(10, 0, 5, 0, 20, 7);
    s.main.click("mnuExplodeLine");
    s.dialogs().input("4");
    s.pressAt(5, 10);

    // The box's prompt and title are in tests/scripts/pick_start_then_explode's transcript.
    const auto lines = s.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(s.vecad().GetNumEntities(), 4);  // the picked line is purged
    EXPECT_EQ(lines[0].p1, (Point3{10, 0, 0}));
    EXPECT_EQ(lines[1].p1, (Point3{7.5, 5, 0}));
    EXPECT_EQ(lines[3].p2, (Point3{0, 20, 0}));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].p1, lines[i - 1].p2);
    }
    EXPECT_EQ(s.prompt(), "");
    EXPECT_EQ(engine::CadGetCrossSize(), 100);
    EXPECT_FALSE(s.modes().explodeLine);

    s.vecad().Execute(engine::command::kUndo);  // one step gives the line back
    ASSERT_EQ(s.lines().size(), 1u);
    EXPECT_EQ(s.lines()[0].p1, (Point3{10, 0, 5}));
}

// How a typed count is read and rounded is numbers_test's (readCount).
TEST(ExplodeLine, BadCountsAreRefusedAndAskedAgain) {
    PickSession s;
    s.vecad().AddLine(0, 0, 0, 100, 0, 0);
    s.main.click("mnuExplodeLine");
    s.dialogs().input("0.5").input("100.5").input("abc").input(" ").input("1e2");
    s.pressAt(50, 0);
    const auto messages = s.dialogs().messages();
    ASSERT_EQ(messages.size(), 4u);
    for (const auto& m : messages) {
        EXPECT_EQ(m.text, kLineRefusal);
    }
    EXPECT_EQ(s.lines().size(), 100u);
}

TEST(ExplodeLine, CancelledCountChangesNothingAndKeepsTheCrossWaiting) {
    PickSession s;
    const Handle line = s.vecad().AddLine(0, 0, 0, 12, 0, 0);
    s.main.click("mnuExplodeLine");
    s.dialogs().input("");
    s.pressAt(6, 0);
    EXPECT_EQ(s.vecad().GetNumEntities(), 1);
    EXPECT_EQ(s.line(line).p2, (Point3{12, 0, 0}));
    EXPECT_FALSE(s.modes().explodeLine);
    EXPECT_EQ(s.prompt(), "");
    EXPECT_EQ(engine::CadGetCrossSize(), 25);
}

TEST(ExplodeArc, ChordsFollowTheArcAndThePanelSaysSo) {
    PickSession s;
    s.vecad().drawing().add(engine::Entity(engine::ArcGeom{{20, 20, 4}, 10, 0, std::numbers::pi}));
    s.main.click("mnuExplodeArc");
    s.dialogs().input("361").input("2");
    s.pressAt(20, 30);

    EXPECT_EQ(s.dialogs().calls.at(0).text,
              "Enter number of segments desired, Maximum Value = 360 ");
    EXPECT_EQ(s.dialogs().messages().at(0).text,
              "Invalid entry, Number of Segments must be greater than 0 and not more than 360");
    const auto lines = s.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(s.vecad().GetNumEntities(), 2);
    EXPECT_NEAR(lines[0].p1.x, 30, 1e-12);
    EXPECT_NEAR(lines[0].p2.x, 20, 1e-12);
    EXPECT_NEAR(lines[0].p2.y, 30, 1e-12);
    EXPECT_EQ(lines[1].p2.z, 0);
    EXPECT_EQ(s.prompt(), "ARC Conversion Complete");
    EXPECT_EQ(engine::CadGetCrossSize(), 100);
}

}  // namespace
}  // namespace brondel
