#include "tests/gui/user_session.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "engine/commands.h"

// The desktop program driven as a user drives it: clicks on menu items and
// toolbar buttons, presses in the drawing, closing a window; after each
// step the widgets must show exactly what the program's models say.
namespace brondel::desktop {
namespace {

using ports::Answer;

using RoadTest = testing::UserSession;

TEST_F(RoadTest, MenusAndToolbarsFollowEveryStateChange) {
    expectInStep("at start");
    // Tooltips are words, never a button's internal key.
    EXPECT_EQ(frame.toolbarBinding().button("asxToolbar1", 3)->toolTip(), "Open a drawing");
    EXPECT_EQ(frame.toolbarBinding().button("asxToolbar1", 4)->toolTip(), "Save");
    click("mnuFileNew");
    expectInStep("with a drawing window");
    pressButton("asxToolbar1", 29);  // the DAT view
    ASSERT_TRUE(program.active().DList.visible);
    expectInStep("with the DAT view");
    pressButton("asxToolbar1", 28);  // back to the drawing and its coordinate list
    expectInStep("with the coordinate view");
    click("mnuDrawingTools");  // rule F hides the drawing tools
    EXPECT_TRUE(frame.toolbarBinding().toolbar("asxToolbar2")->isHidden());
    expectInStep("with a toolbar hidden");
    click("mnuFileNew");
    expectInStep("with two drawing windows");
    click("mnuCloseAll");
    ASSERT_TRUE(program.main.windows().empty());
    expectInStep("after Close All");
}

// What the Ortho, zoom and snap items and buttons do is dispatch_test's; that
// clicks and presses reach the program and check marks follow is the first
// test's.
TEST_F(RoadTest, TheEditMenuNamesWhatUndoAndRedoWouldDo) {
    click("mnuFileNew");
    engine::Vecad& v = program.active().Vecad1;
    v.Execute(engine::command::kDrawLine);
    pressAt(0, 0);
    pressAt(10, 5);
    v.commandKey(13);
    QMenu* edit = frame.menuBinding().action("mnuEdit")->menu();
    ASSERT_NE(edit, nullptr);
    Q_EMIT edit->aboutToShow();
    EXPECT_EQ(frame.menuBinding().action("mnuEditUndo")->statusTip(), "Undo Draw Line");
    EXPECT_EQ(frame.menuBinding().action("mnuEditUndo")->text(), "Undo Draw Line");
    EXPECT_EQ(frame.menuBinding().action("mnuEditRedo")->text(), "Redo");
    EXPECT_EQ(frame.menuBinding().action("mnuEditRedo")->toolTip(), "Nothing to redo");
    click("mnuEditUndo");
    Q_EMIT edit->aboutToShow();
    EXPECT_EQ(frame.menuBinding().action("mnuEditRedo")->text(), "Redo Draw Line");
    EXPECT_EQ(frame.menuBinding().action("mnuEditUndo")->text(), "Undo");
    Q_EMIT frame.toolbarBinding().button("asxToolbar1", 22)->hovered();
    EXPECT_EQ(frame.toolbarBinding().button("asxToolbar1", 22)->statusTip(), "Redo Draw Line");
    EXPECT_EQ(frame.toolbarBinding().button("asxToolbar1", 22)->toolTip(), "Redo");
}

TEST_F(RoadTest, ClosingAChangedDrawingAsksAndCancelKeepsIt) {
    click("mnuFileNew");
    program.active().Vecad1.AddLine(0, 0, 0, 1, 1, 0);
    ASSERT_TRUE(program.active().Vecad1.HasChanged());

    program.dialogs().answer(Answer::Cancel);
    activeFrame().close();
    QApplication::processEvents();
    ASSERT_EQ(program.dialogs().messages().size(), 1u);
    EXPECT_EQ(program.main.windows().size(), 1u);
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 1);

    program.dialogs().answer(Answer::No);
    activeFrame().close();
    QApplication::processEvents();
    EXPECT_EQ(program.dialogs().messages().size(), 2u);
    EXPECT_TRUE(program.main.windows().empty());
    EXPECT_TRUE(frame.mdiArea()->subWindowList().empty());
    expectInStep("after the last window closed");
}

}  // namespace
}  // namespace brondel::desktop
