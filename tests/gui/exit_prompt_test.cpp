#include "tests/gui/user_session.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/desktop/drawing_frame.h"

// Exit with several changed drawings asks about each in turn; the user must
// see which one is asked about.
namespace brondel::desktop {
namespace {

using ExitPromptTest = testing::UserSession;

TEST_F(ExitPromptTest, EachDrawingAskedAboutStandsInFrontAndIsActive) {
    for (int i = 0; i < 3; ++i) {
        click("mnuFileNew");
        program.active().Vecad1.AddLine(0, 0, 0, i + 1, 1, 0);
    }
    // The user clicks the first drawing, so the last opened is not the active one.
    frame.mdiArea()->setActiveSubWindow(frame.frameOf(program.main.windows()[0].get()));
    QApplication::processEvents();

    std::vector<const documents::DrawingWindow*> asked;
    program.dialogs().atMessageBox = [&] {
        QApplication::processEvents();
        const documents::DrawingWindow* active = program.main.active();
        asked.push_back(active);
        DrawingFrame* shown = frame.frameOf(active);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(frame.mdiArea()->activeSubWindow(), shown);
        const QList<QMdiSubWindow*> order = frame.mdiArea()->subWindowList(QMdiArea::StackingOrder);
        EXPECT_EQ(order.back(), shown) << "the drawing asked about is on top";
        EXPECT_TRUE(shown->isMaximized()) << "shown whole, as it was ";
    };
    program.dialogs().answer(ports::Answer::No).answer(ports::Answer::No).answer(ports::Answer::No);
    click("mnuFileEnd");
    program.dialogs().atMessageBox = nullptr;
    EXPECT_TRUE(program.dialogs().drained());
    EXPECT_TRUE(program.main.closed);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_NE(asked[0], asked[1]);
    EXPECT_NE(asked[1], asked[2]);
}

}  // namespace
}  // namespace brondel::desktop
