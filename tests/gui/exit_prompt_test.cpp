#include <QMdiArea>
#include <QMdiSubWindow>
#include <functional>

#include "app/desktop/drawing_frame.h"
#include "tests/gui/frame_fixture.h"

// Exit with several changed drawings asks about each in turn; the user must
// see which one is asked about.
namespace brondel::desktop {
namespace {

// Answers No and notes, at each box, the drawing standing in front.
class WatchingDialogs : public testing::CountingDialogs {
  public:
    std::function<void()> atBox;
    ports::Answer messageBox(const std::string& text, ports::Buttons buttons, ports::Icon icon,
                             const std::string& title) override {
        atBox();
        return CountingDialogs::messageBox(text, buttons, icon, title);
    }
};

class ExitPromptTest : public testing::OnScreenFixture<WatchingDialogs> {
  protected:
    ExitPromptTest() : OnScreenFixture("brondel-gui-exit-test") {}
};

TEST_F(ExitPromptTest, EachDrawingAskedAboutStandsInFrontAndIsActive) {
    for (int i = 0; i < 3; ++i) {
        trigger("mnuFileNew");
        main_->active()->Vecad1.AddLine(0, 0, 0, i + 1, 1, 0);
    }
    // The user clicks the first drawing, so the last opened is not the active one.
    frame_->mdiArea()->setActiveSubWindow(frame_->frameOf(main_->windows()[0].get()));
    QApplication::processEvents();

    std::vector<const documents::DrawingWindow*> asked;
    dialogs_.atBox = [&] {
        QApplication::processEvents();
        const documents::DrawingWindow* active = main_->active();
        asked.push_back(active);
        DrawingFrame* shown = frame_->frameOf(active);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(frame_->mdiArea()->activeSubWindow(), shown);
        const QList<QMdiSubWindow*> order =
            frame_->mdiArea()->subWindowList(QMdiArea::StackingOrder);
        EXPECT_EQ(order.back(), shown) << "the drawing asked about is on top";
        EXPECT_TRUE(shown->isMaximized()) << "shown whole, as it was ";
    };
    dialogs_.answer = ports::Answer::No;
    trigger("mnuFileEnd");
    EXPECT_EQ(dialogs_.boxes, 3);
    EXPECT_TRUE(main_->closed);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_NE(asked[0], asked[1]);
    EXPECT_NE(asked[1], asked[2]);
}

}  // namespace
}  // namespace brondel::desktop
