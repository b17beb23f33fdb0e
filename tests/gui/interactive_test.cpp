#include "tests/gui/user_session.h"

#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolTip>

#include "app/desktop/command_line_box.h"
#include "engine/commands.h"
#include "engine/object_snap.h"

// The engine's own commands as a user works them on screen: typed into the
// command window, drawn with a rubber band, snapped. Selecting by a window
// is SelectByRectangle's (engine); presses and moves reach it as they reach
// Draw Line here.
namespace brondel::desktop {
namespace {

class InteractiveTest : public testing::UserSession {
  protected:
    InteractiveTest() {
        click("mnuFileNew");
        vecad().view().set({50, 25}, 0.25);  // four pixels per drawing unit
    }
    engine::Vecad& vecad() { return program.active().Vecad1; }
    CommandLineBox& box() { return *activeFrame().commandBox(); }
    // Types text into the command line key by key and ends it with Return, as
    // the keyboard does: keys the line leaves go on to the windows around it.
    void type(const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box().input(), &press);
        }
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(box().input(), &enter);
        QApplication::processEvents();
    }
    // Keys typed while the drawing, not the command line, has the focus.
    void typeOverTheDrawing(const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(activeFrame().drawingView(), &press);
        }
    }
    QImage screen() { return activeFrame().drawingView()->grab().toImage(); }
    // Whether something lighter than the ground is drawn within a pixel of the point.
    bool drawnAt(QPointF at) {
        return testing::seenNear(screen(), at.toPoint(),
                                 [](QColor c) { return qGray(c.rgb()) > 0x60; });
    }
};

TEST_F(InteractiveTest, TheCommandWindowTakesNamesPointsAndShowsNotices) {
    EXPECT_TRUE(box().isHidden());
    click("mnuToolsCommandWindow");
    EXPECT_FALSE(box().isHidden());
    // Docked under the drawing, across it, taking what the user types.
    const QWidget* drawing = activeFrame().drawingView();
    EXPECT_EQ(box().geometry().top(), drawing->geometry().bottom() + 1);
    EXPECT_EQ(box().geometry().width(), drawing->geometry().width());
    EXPECT_EQ(QApplication::focusWidget(), box().input());

    type("line");
    EXPECT_EQ(box().input()->placeholderText(), "Draw Line: first point");
    type("10,5");
    type("@5,0");
    type("");  // Enter ends the command; where the points go is CommandInput's (engine)
    EXPECT_EQ(vecad().GetNumEntities(), 1);
    EXPECT_TRUE(box().history()->toPlainText().contains("> @5,0"));

    type("9999");
    EXPECT_TRUE(box().history()->toPlainText().contains("not available in this engine: 9999"));
    EXPECT_EQ(program.main.statusMain.panels[2], "not available in this engine: 9999 Command");

    const int lines = box().history()->document()->blockCount();
    type("no such command");
    EXPECT_GT(box().history()->document()->blockCount(), lines);  // says why, throws nothing
    EXPECT_EQ(vecad().GetNumEntities(), 1);

    click("mnuToolsCommandWindow");
    EXPECT_TRUE(box().isHidden());
}

TEST_F(InteractiveTest, ReturnAfterATypedPointLeavesTheCommandRunning) {
    click("mnuToolsCommandWindow");
    type("line");
    type("0,0");
    type("100,0");
    EXPECT_EQ(vecad().runningCommand(), engine::command::kDrawLine);
    type("@0,50");
    EXPECT_EQ(vecad().runningCommand(), engine::command::kDrawLine);
    // Typed over the drawing after a click there, the point still reaches the command.
    typeOverTheDrawing("@-100,0");
    EXPECT_EQ(box().input()->text(), "@-100,0");
    type("");  // Return on what the line holds
    EXPECT_EQ(vecad().runningCommand(), engine::command::kDrawLine);
    type("");  // Return on an empty line alone ends it, keeping its three lines
    EXPECT_EQ(vecad().runningCommand(), 0);
    EXPECT_EQ(vecad().GetNumEntities(), 3);
    EXPECT_FALSE(box().history()->toPlainText().contains("Unknown command"));
}

TEST_F(InteractiveTest, TypingOverTheDrawingOpensTheHiddenCommandLineWithWhatWasTyped) {
    ASSERT_TRUE(box().isHidden());
    typeOverTheDrawing("line");
    EXPECT_FALSE(box().isHidden());
    EXPECT_EQ(box().input()->text(), "line");
    QKeyEvent zoomIn(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, "+");
    QApplication::sendEvent(activeFrame().drawingView(), &zoomIn);
    EXPECT_EQ(box().input()->text(), "line") << "the keypad's plus zooms";
}

TEST_F(InteractiveTest, EachDrawingShowsItsOwnPromptInThePanelWithTheCommandWindowHidden) {
    vecad().Execute(engine::command::kDrawLine);
    EXPECT_EQ(program.main.statusMain.panels[2], "Draw Line: first point");
    documents::DrawingWindow* first = program.main.active();
    click("mnuFileNew");
    EXPECT_EQ(program.main.statusMain.panels[2], "") << "not the other drawing's prompt";
    program.main.activate(first);
    EXPECT_EQ(program.main.statusMain.panels[2], "Draw Line: first point");
    vecad().commandKey(27);
    EXPECT_EQ(program.main.statusMain.panels[2], "");
}

TEST_F(InteractiveTest, TheSnapMarkerNamesItsKindInATooltip) {
    vecad().AddLine(20, 20, 0, 60, 20, 0);
    vecad().AddPoint(100, 20, 0);
    vecad().SnapPutMode(engine::snap::kEndpoint | engine::snap::kMidpoint | engine::snap::kNode);
    vecad().Execute(engine::command::kDrawLine);
    QWidget* view = activeFrame().drawingView();
    const struct {
        double x, y;
        const char* tip;  // empty where nothing is marked
    } stops[] = {
        {20.4, 19.7, "Endpoint"},
        {40.3, 20.2, "Midpoint"},
        {100.3, 20.2, "Node"},
        {40, 60, ""},
    };
    for (const auto& stop : stops) {
        SCOPED_TRACE(stop.tip);
        moveTo(stop.x, stop.y);
        EXPECT_EQ(view->toolTip(), stop.tip);
        // Shown at once, not after the hover delay; leaving it, Qt fades it out.
        if (*stop.tip != 0) {
            EXPECT_TRUE(QToolTip::isVisible());
            EXPECT_EQ(QToolTip::text(), stop.tip);
        }
    }
    vecad().commandKey(27);
}

TEST_F(InteractiveTest, DrawLineShowsItsRubberBandAndSnapsToEndpoints) {
    vecad().AddLine(20, 20, 0, 60, 20, 0);

    pressButton("asxToolbar4", 1);  // snap to endpoints
    vecad().Execute(engine::command::kDrawLine);
    pressAt(60.5, 20.5);  // within the aperture of the end at (60, 20)
    moveTo(80, 40);
    // The band runs from the snapped end towards the cursor.
    EXPECT_TRUE(drawnAt(pixelOf(70, 30)));
    EXPECT_FALSE(drawnAt(pixelOf(70, 35)));
    moveTo(20.4, 19.7);  // near the other end: its marker, a square
    ASSERT_TRUE(vecad().snapHit().has_value());
    EXPECT_EQ(vecad().snapHit()->point.x, 20);
    const QColor edge = screen().pixelColor(pixelOf(20, 20).toPoint() + QPoint(5, 2));
    EXPECT_GT(edge.red(), 0xc0);
    EXPECT_LT(edge.blue(), 0x40);
    pressAt(60, 40);
    vecad().commandKey(13);
    ASSERT_EQ(vecad().GetNumEntities(), 2);
    double x, y, z;
    engine::CadLineGetPoint1(vecad().GetNextEntity(vecad().GetFirstEntity()), x, y, z);
    EXPECT_EQ(x, 60);
    EXPECT_EQ(y, 20);
    EXPECT_TRUE(vecad().rubberBand().empty());
}

}  // namespace
}  // namespace brondel::desktop
