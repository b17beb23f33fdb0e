#include <gtest/gtest.h>

#include "engine/commands.h"
#include "engine/vecad.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

TEST(DrawLine, PromptsPreviewsAndKeepsAllItsLinesAsOneLabelledStep) {
    VecadSession s;
    s.v.Execute(command::kDrawLine);
    EXPECT_EQ(s.v.runningCommand(), command::kDrawLine);
    EXPECT_EQ(s.v.commandPrompt(), "Draw Line: first point");
    s.move(3, 3);
    EXPECT_EQ(s.v.preview().liveCount(), 0u);

    EXPECT_TRUE(s.press(0, 0));
    EXPECT_EQ(s.v.commandPrompt(), "Draw Line: next point (Enter to end) [Undo]");
    s.move(10, 0);
    ASSERT_EQ(s.v.preview().liveCount(), 1u);
    const auto* band = geomIf<LineGeom>(s.v.preview().entities()[0]);
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->p1, (Point3{0, 0, 0}));
    EXPECT_NEAR(band->p2.x, 10, 1e-9);
    EXPECT_GT(s.heard.rubberBandChanges, 0);

    s.press(10, 0);
    s.press(10, 10);
    s.press(20, 10);
    s.v.commandInput("u");       // takes the last line back
    EXPECT_EQ(s.entities(), 0);  // nothing is added before the command ends
    EXPECT_EQ(s.v.preview().liveCount(), 3u);

    EXPECT_TRUE(s.v.commandKey(13));
    EXPECT_EQ(s.entities(), 2);
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_EQ(s.v.preview().liveCount(), 0u);
    EXPECT_EQ(s.v.commandPrompt(), "");
    EXPECT_EQ(s.heard.prompts.back(), "");
    EXPECT_FALSE(s.press(20, 20));  // no longer the command's
    EXPECT_FALSE(s.v.commandKey(13));
}

// What Escape midway leaves is the contract test's.
TEST(DrawLine, ARightPressAndANewCommandKeepWhatIsDone) {
    VecadSession s;
    s.v.Execute(command::kDrawLine);
    s.press(0, 0);
    s.press(5, 0);
    EXPECT_TRUE(s.press(5, 5, true));
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_EQ(s.entities(), 1);

    s.v.Execute(command::kDrawLine);
    s.press(0, 0);
    s.press(0, 5);
    s.v.Execute(command::kZoomIn);  // acts at once and leaves the line running
    EXPECT_EQ(s.v.runningCommand(), command::kDrawLine);
    s.v.Execute(command::kZoomWindow);
    EXPECT_EQ(s.v.runningCommand(), command::kZoomWindow);
    EXPECT_EQ(s.entities(), 2);
}

// The undo step of every tool is the contract test's business.
TEST(DrawPoint, EachPressIsAPoint) {
    VecadSession s;
    s.v.Execute(command::kDrawPoint);
    s.press(1, 2);
    s.press(3, 4);
    s.v.commandKey(13);
    ASSERT_EQ(s.entities(), 2);
    const auto* p = geomIf<PointGeom>(s.v.drawing().entity(s.v.GetFirstEntity()));
    ASSERT_NE(p, nullptr);
    EXPECT_NEAR(p->p.x, 1, 1e-9);
    EXPECT_NEAR(p->p.y, 2, 1e-9);
}

TEST(ZoomCommands, WindowFitsTheRectangleAndPreviousWalksBack) {
    VecadSession s;
    const Point2 start = s.v.view().center();
    const double startScale = s.v.view().scale();
    s.v.Execute(command::kZoomWindow);
    s.press(10, 10);
    s.move(30, 20);
    ASSERT_TRUE(s.v.rubberBand().rectangle);
    EXPECT_FALSE(s.v.rubberBand().rectangle->crossing);
    s.press(10, 10);  // the same corner again is no rectangle
    EXPECT_TRUE(s.v.commandRunning());
    s.press(30, 20);
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_LE(s.v.ViewGetLeft(), 10);
    EXPECT_GE(s.v.ViewGetRight(), 30);
    EXPECT_NEAR(s.v.view().center().x, 20, 1e-9);
    EXPECT_LT(s.v.ViewGetRight() - s.v.ViewGetLeft(), 25);

    const double windowScale = s.v.view().scale();
    s.v.Execute(command::kZoomIn);
    s.v.Execute(command::kZoomPrevious);
    EXPECT_DOUBLE_EQ(s.v.view().scale(), windowScale);
    s.v.Execute(command::kZoomPrevious);
    EXPECT_EQ(s.v.view().center(), start);
    EXPECT_DOUBLE_EQ(s.v.view().scale(), startScale);
    s.v.Execute(command::kZoomPrevious);  // nothing earlier: a message, the view stays
    EXPECT_EQ(s.v.commandHistory().back(), "Zoom Previous: there is no earlier view");
    EXPECT_EQ(s.v.view().center(), start);
}

TEST(ZoomCommands, RealtimeZoomsAboutThePressedPointAndPanMovesWithTheCursor) {
    VecadSession s;
    s.v.Execute(command::kZoomRealtime);
    const Point2 w = s.window(5, 5);
    s.v.pressAt(w.x, w.y);
    s.v.cursorAt(w.x + 40, w.y - 100);  // one doubling up
    EXPECT_NEAR(s.v.view().scale(), 0.05, 1e-12);
    const Point2 kept = s.v.view().toWorld(w.x, w.y);
    EXPECT_NEAR(kept.x, 5, 1e-9);
    EXPECT_NEAR(kept.y, 5, 1e-9);
    s.v.releaseAt(w.x, w.y - 100);
    s.v.cursorAt(w.x, w.y + 300);  // released: moving does nothing
    EXPECT_NEAR(s.v.view().scale(), 0.05, 1e-12);
    s.v.commandKey(13);
    s.v.Execute(command::kZoomPrevious);
    EXPECT_NEAR(s.v.view().scale(), 0.1, 1e-12);

    s.v.Execute(command::kPanRealtime);
    const Point2 from = s.window(0, 0);
    s.v.pressAt(from.x, from.y);
    s.v.cursorAt(from.x + 50, from.y + 20);
    const Point2 under = s.v.view().toWorld(from.x + 50, from.y + 20);
    EXPECT_NEAR(under.x, 0, 1e-9);
    EXPECT_NEAR(under.y, 0, 1e-9);
    EXPECT_GT(s.heard.viewChanges, 0);
}

TEST(ZoomCommands, PanToPointAndZoomToSelected) {
    VecadSession s;
    s.v.Execute(command::kPanToPoint);
    s.press(12, -7);
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_NEAR(s.v.view().center().x, 12, 1e-9);
    EXPECT_NEAR(s.v.view().center().y, -7, 1e-9);

    s.v.Execute(command::kZoomSelected);
    EXPECT_EQ(s.v.commandHistory().back(), "Zoom to Selected: nothing is selected");
    const Handle far = s.v.AddLine(100, 100, 0, 110, 104, 0);
    s.v.AddLine(-500, 0, 0, -400, 0, 0);
    s.v.SelectEntity(far, true);
    s.v.Execute(command::kZoomSelected);
    EXPECT_NEAR(s.v.view().center().x, 105, 1e-9);
    EXPECT_LE(s.v.ViewGetLeft(), 100);
    EXPECT_GT(s.v.ViewGetLeft(), 90);
}

TEST(SelectByPoint, AddsWhatIsUnderEachPress) {
    VecadSession s;
    const Handle a = s.v.AddLine(0, 0, 0, 10, 0, 0);
    const Handle b = s.v.AddLine(0, 5, 0, 10, 5, 0);
    s.v.Execute(command::kSelectByPoint);
    s.press(5, 0.1);
    s.press(5, 2.5);
    EXPECT_EQ(s.v.commandHistory().back(), "Select By Point: nothing there");
    s.press(5, 4.9);
    EXPECT_EQ(s.v.selection(), (std::vector<Handle>{a, b}));
    s.v.commandKey(13);
    EXPECT_EQ(s.v.SelCount(), 2);
}

TEST(SelectByRectangle, LeftToRightIsAWindowRightToLeftACrossing) {
    VecadSession s;
    const Handle inside = s.v.AddLine(1, 1, 0, 4, 4, 0);
    const Handle across = s.v.AddLine(3, 3, 0, 9, 3, 0);
    s.v.AddLine(20, 20, 0, 30, 30, 0);

    s.v.Execute(command::kSelectByRectangle);
    s.press(0, 0);
    s.press(5, 5);
    EXPECT_EQ(s.v.selection(), (std::vector<Handle>{inside}));
    EXPECT_FALSE(s.v.commandRunning());

    s.v.SelClear();
    s.v.Execute(command::kSelectByRectangle);
    s.press(5, 5);
    s.move(0, 0);
    ASSERT_TRUE(s.v.rubberBand().rectangle);
    EXPECT_TRUE(s.v.rubberBand().rectangle->crossing);
    s.press(0, 0);
    EXPECT_EQ(s.v.selection(), (std::vector<Handle>{inside, across}));
}

// The undo step of every tool is the contract test's business.
TEST(Erase, APreselectionIsErasedAtOnce) {
    VecadSession s;
    const Handle a = s.v.AddLine(0, 0, 0, 1, 0, 0);
    const Handle b = s.v.AddLine(0, 1, 0, 1, 1, 0);
    const Handle c = s.v.AddLine(0, 2, 0, 1, 2, 0);
    s.v.SelectEntity(a, true);
    s.v.SelectEntity(c, true);
    s.v.Execute(command::kErase);
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_EQ(s.entities(), 1);
    EXPECT_EQ(s.v.SelCount(), 0);
    EXPECT_FALSE(s.v.drawing().entity(b).erased);
}

TEST(Erase, WithNothingSelectedItAsksForPicksAndEnterErasesThem) {
    VecadSession s;
    const Handle a = s.v.AddLine(0, 0, 0, 10, 0, 0);
    s.v.AddLine(0, 5, 0, 10, 5, 0);
    const Handle c = s.v.AddLine(0, 9, 0, 10, 9, 0);
    s.v.Execute(command::kErase);
    EXPECT_EQ(s.v.commandPrompt(), "Erase: pick entities (Enter to go on) [All/Last]");
    s.press(5, 0);
    s.press(5, 9);
    EXPECT_EQ(s.entities(), 3);
    s.v.commandInput("");
    EXPECT_EQ(s.entities(), 1);
    EXPECT_TRUE(s.v.drawing().entity(a).erased);
    EXPECT_TRUE(s.v.drawing().entity(c).erased);
    s.v.Execute(command::kUndo);

    s.v.Execute(command::kErase);
    s.press(5, 0);
    s.v.commandKey(27);  // Escape lets the picks go
    EXPECT_EQ(s.entities(), 3);
    EXPECT_EQ(s.v.SelCount(), 0);

    s.v.Execute(command::kErase);
    s.press(5, 0);
    s.v.Execute(command::kErase);  // the button again erases the picks
    EXPECT_EQ(s.entities(), 2);
    EXPECT_FALSE(s.v.commandRunning());
}

TEST(InteractiveCommands, ANewDrawingEndsTheRunningCommand) {
    VecadSession s;
    s.v.AddLine(0, 0, 0, 10, 0, 0);
    s.v.Execute(command::kErase);
    s.press(5, 0);
    s.v.FileNew();
    EXPECT_FALSE(s.v.commandRunning());
    EXPECT_EQ(s.v.SelCount(), 0);
    s.v.Execute(command::kZoomPrevious);  // the old drawing's views are gone
    EXPECT_EQ(s.v.commandHistory().back(), "Zoom Previous: there is no earlier view");
}

}  // namespace
}  // namespace brondel::engine
