#include "pathtools/close_gaps.h"

#include <gtest/gtest.h>

#include "engine/cad.h"
#include "pathtools/drawing_check.h"
#include "tests/support/fake_ports.h"

namespace brondel::pathtools {
namespace {

using engine::Handle;

struct Ends {
    double x1, y1, x2, y2;
    bool operator==(const Ends&) const = default;
};

std::vector<Ends> linesOf(const engine::Vecad& v) {
    std::vector<Ends> lines;
    for (Handle h = v.GetFirstEntity(); h != engine::kNoHandle; h = v.GetNextEntity(h)) {
        double z;
        Ends e;
        engine::CadLineGetPoint1(h, e.x1, e.y1, z);
        engine::CadLineGetPoint2(h, e.x2, e.y2, z);
        lines.push_back(e);
    }
    return lines;
}

class CloseGapsTest : public ::testing::Test {
  protected:
    testing::TestProgram program;
    shell::MainWindow& main = program.main;
    documents::DrawingWindow& window = program.newDrawing();
    engine::Vecad& v = window.Vecad1;

    // A square whose bottom corners miss by 0.004 and 0.006, its bottom
    // drawn twice, a piece of the top lying along it, a line of no length,
    // and four ends in a row 0.009 apart that would have to move more than
    // 0.01 to meet.
    void drawBrokenSquare() {
        v.AddLine(0, 0, 0, 10, 0, 0);
        v.AddLine(10.004, 0, 0, 10, 10, 0);
        v.AddLine(10, 10, 0, 0, 10, 0);
        v.AddLine(0, 10, 0, 0, 0.006, 0);
        v.AddLine(10, 0, 0, 0, 0, 0);
        v.AddLine(2, 10, 0, 5, 10, 0);
        v.AddLine(7, 7, 0, 7, 7, 0);
        v.AddLine(20, 0, 0, 30, 0, 0);
        v.AddLine(20.009, 0, 0, 20.009, 5, 0);
        v.AddLine(20.018, 0, 0, 20.018, -5, 0);
        v.AddLine(20.027, 0, 0, 20.027, 9, 0);
    }
};

TEST_F(CloseGapsTest, EndsMeetAtTheirMiddleAndRepeatsGoAsOneUndoStep) {
    drawBrokenSquare();
    const std::vector<Ends> before = linesOf(v);
    const HealReport report = closeGaps(v, 0.01);
    EXPECT_EQ(report.endsMoved, 6u);
    EXPECT_DOUBLE_EQ(report.largestMove, 0.004);
    EXPECT_EQ(report.duplicates, 1u);
    EXPECT_EQ(report.covered, 1u);
    EXPECT_EQ(report.zeroLength, 1u);
    EXPECT_EQ(report.groupsLeft, 1u);
    EXPECT_EQ(healText(report),
              "Close Gaps: 6 line ends moved to meet (at most 0.004); removed 1 duplicate line, 1 "
              "covered line, 1 line of no length; 1 group of ends left as they were: they lie "
              "too far apart to meet.");

    const std::vector<Ends> after = linesOf(v);
    ASSERT_EQ(after.size(), 8u);
    // Each corner's ends meet at their middle.
    EXPECT_EQ(after[0].x1, 0);
    EXPECT_NEAR(after[0].y1, 0.002, 1e-12);
    EXPECT_NEAR(after[0].x2, 10.004 / 3 + 20.0 / 3, 1e-12);
    EXPECT_EQ(after[1].x1, after[0].x2);
    EXPECT_EQ(after[3].y2, after[0].y1);
    const DrawingCheck check = checkDrawing(v, 1e-9);
    EXPECT_TRUE(check.contours[0].closed) << "the square closes without a search radius";
    EXPECT_EQ(check.duplicates, 0u);
    EXPECT_EQ(check.zeroLength, 0u);

    v.drawing().undo();
    EXPECT_EQ(linesOf(v), before) << "one step takes all of it back";
    EXPECT_EQ(closeGaps(v, 0.0001).endsMoved, 0u) << "nothing within a smaller tolerance";
}

TEST_F(CloseGapsTest, TheCommandRefusesToleranceThatIsNoLengthAndCancelsOnEmpty) {
    drawBrokenSquare();
    const std::vector<Ends> before = linesOf(v);
    program.dialogs().input("");
    main.click("mnuCloseGaps");
    EXPECT_EQ(linesOf(v), before);

    for (const char* bad : {"0", "-1", "abc", "nan"}) {
        program.dialogs().input(bad);
    }
    program.dialogs().input("0.01");
    for (int i = 0; i < 4; ++i) {
        program.dialogs().answer(ports::Answer::Ok);
    }
    main.click("mnuCloseGaps");
    int refusals = 0;
    for (const testing::DialogCall& call : program.dialogs().messages()) {
        refusals += call.text == kToleranceRefusedText ? 1 : 0;
    }
    EXPECT_EQ(refusals, 4);
    EXPECT_EQ(linesOf(v).size(), 8u);
    EXPECT_EQ(main.statusMain.panels[2].rfind("Close Gaps: 6 line ends moved", 0), 0u);
    EXPECT_EQ(v.commandHistory().back(), main.statusMain.panels[2]);
}

}  // namespace
}  // namespace brondel::pathtools
