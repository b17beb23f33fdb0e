#include "pathtools/walk_report.h"

#include <gtest/gtest.h>

#include <numbers>

#include "engine/vecad.h"
#include "pathtools/reorganize.h"
#include "tests/support/fake_ports.h"

namespace brondel::pathtools {
namespace {

using engine::Handle;
using ports::Answer;

class WalkReportTest : public ::testing::Test {
  protected:
    testing::TestProgram program;
    shell::MainWindow& main = program.main;
    documents::DrawingWindow& window = program.newDrawing();
    engine::Vecad& vecad = window.Vecad1;

    ReorganizeEnd reorganize(Handle start) {
        main.state.startEntity = start;
        program.dialogs().answer(Answer::No);
        return reorganizeEntities(window);
    }

    bool inView(engine::Point2 p) const {
        return p.x >= vecad.ViewGetLeft() && p.x <= vecad.ViewGetRight() &&
               p.y >= vecad.ViewGetBottom() && p.y <= vecad.ViewGetTop();
    }
};

// An open chain of three lines, and a fourth line 0.05 past its end: the
// walk stops at the chain's end, the failure message as ever, then the facts.
TEST_F(WalkReportTest, AStoppedWalkSaysWhereAndWhatRadiusBridgesIt) {
    const Handle start = vecad.AddLine(0, 0, 0, 10, 0, 0);
    vecad.AddLine(10, 10, 0, 10, 0, 0);  // drawn against the walk
    vecad.AddLine(10, 10, 0, 0, 10, 0);
    vecad.AddLine(-0.03, 10.04, 0, -0.03, 20, 0);
    vecad.ZoomExtents();
    const double scaleBefore = vecad.view().scale();

    EXPECT_EQ(reorganize(start), ReorganizeEnd::Failed);
    ASSERT_EQ(program.dialogs().messages().back().text, kReorganizeFailedText);
    ASSERT_TRUE(window.deadEnd.has_value());
    EXPECT_EQ(window.deadEnd->at.x, 0);
    EXPECT_EQ(window.deadEnd->at.y, 10);
    ASSERT_TRUE(window.deadEnd->nearest.has_value());
    EXPECT_DOUBLE_EQ(window.deadEnd->nearest->x, -0.03);
    EXPECT_NEAR(window.deadEnd->gap, 0.05, 1e-12);
    EXPECT_EQ(window.deadEnd->suggestedRadius, 0.051);
    const std::string text =
        "The path ends at (0, 10); the nearest line end not reached is (-0.03, 10.04), 0.05 "
        "away; a search radius of 0.051 bridges the gap.";
    EXPECT_EQ(main.statusMain.panels[2], text);
    EXPECT_EQ(vecad.commandHistory().back(), text);
    // Zoomed in on both marks.
    EXPECT_LT(vecad.view().scale(), scaleBefore);
    EXPECT_TRUE(inView(window.deadEnd->at));
    EXPECT_TRUE(inView(*window.deadEnd->nearest));

    // With that radius the walk goes round the corner and on to the end.
    main.searchRadius = *window.deadEnd->suggestedRadius;
    EXPECT_EQ(reorganize(vecad.GetFirstEntity()), ReorganizeEnd::Complete);
    EXPECT_FALSE(window.deadEnd.has_value());
}

TEST_F(WalkReportTest, AGapNoRadiusCanBridgeIsSaidSo) {
    const Handle start = vecad.AddLine(0, 0, 0, 10, 0, 0);
    vecad.AddLine(10, 0, 0, 10, 5, 0);
    vecad.AddLine(200, 0, 0, 300, 0, 0);
    EXPECT_EQ(reorganize(start), ReorganizeEnd::Failed);
    ASSERT_TRUE(window.deadEnd && window.deadEnd->nearest);
    EXPECT_FALSE(window.deadEnd->suggestedRadius.has_value());
    EXPECT_NE(main.statusMain.panels[2].find("no search radius bridges a gap that wide"),
              std::string::npos);
}

TEST_F(WalkReportTest, ArcsTakenAsChordsAreCounted) {
    // A half disc: the diameter and the arc over it.
    const Handle start = vecad.AddLine(-5, 0, 0, 5, 0, 0);
    vecad.drawing().add(engine::Entity(engine::ArcGeom{{0, 0, 0}, 5, 0, std::numbers::pi}));
    EXPECT_EQ(reorganize(start), ReorganizeEnd::Complete);
    EXPECT_EQ(main.statusMain.panels[2],
              "Warning: 1 arc was taken as a straight line from end to end. Explode Arc into "
              "Segments, before Reorganize Entities, makes the path follow the curve.");
    EXPECT_EQ(vecad.commandHistory().back(), main.statusMain.panels[2]);
}

TEST(BridgingRadius, IsJustAboveTheGapAtTwoDigits) {
    const struct {
        double gap, radius;
    } cases[] = {{0.05, 0.051}, {2.0, 2.1},   {0.10000186, 0.11}, {399.19, 400},
                 {17.78, 18},   {3.266, 3.3}, {0.0001, 0.00011}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(bridgingRadius(c.gap), c.radius) << c.gap;
        EXPECT_GT(bridgingRadius(c.gap), c.gap);
    }
}

}  // namespace
}  // namespace brondel::pathtools
