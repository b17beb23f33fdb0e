#include "app/desktop/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>

#include <filesystem>

#include "app/desktop/drawing_frame.h"
#include "app/desktop/file_filter.h"
#include "app/desktop/key_codes.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/toolbar_binding.h"
#include "shell/menu_state.h"
#include "tests/gui/frame_fixture.h"

namespace brondel::desktop {
namespace {

class MainFrameTest : public testing::OnScreenFixture<> {
  protected:
    MainFrameTest() : OnScreenFixture("brondel-gui-test") {}
};

TEST_F(MainFrameTest, MenuBarShowsTheModelsMenusInOrder) {
    const QList<QAction*> bar = frame_->menuBar()->actions();
    const auto& menus = main_->menus.menus();
    ASSERT_EQ(bar.size(), 12);
    ASSERT_EQ(menus.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(bar[i]->text().toStdString(), menus[static_cast<std::size_t>(i)]->caption());
    }
    // Before any drawing is open the drawing menus are closed, as the model says.
    EXPECT_FALSE(frame_->menuBinding().action("mnuEdit")->isEnabled());
    EXPECT_TRUE(frame_->menuBinding().action("mnuFileNew")->isEnabled());
}

TEST_F(MainFrameTest, FileNewOpensAMaximizedChildThatCloseRemoves) {
    trigger("mnuFileNew");
    ASSERT_EQ(main_->windows().size(), 1u);
    ASSERT_EQ(frame_->mdiArea()->subWindowList().size(), 1);
    DrawingFrame* child = frame_->frameOf(main_->windows()[0].get());
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->isMaximized());
    EXPECT_EQ(frame_->mdiArea()->activeSubWindow(), child);
    EXPECT_TRUE(frame_->menuBinding().action("mnuEdit")->isEnabled());

    trigger("mnuFileNew");
    ASSERT_EQ(frame_->mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(frame_->mdiArea()->activeSubWindow(), frame_->frameOf(main_->active()));

    frame_->mdiArea()->activeSubWindow()->close();
    QApplication::processEvents();
    EXPECT_EQ(main_->windows().size(), 1u);
    EXPECT_EQ(frame_->mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(frame_->mdiArea()->activeSubWindow(), frame_->frameOf(main_->active()));
}

TEST_F(MainFrameTest, StatusPanelsShowTheStatusBar) {
    main_->statusMain.set(3, "Pick a point");
    EXPECT_EQ(frame_->statusPanel(3)->text(), QStringLiteral("Pick a point"));
}

TEST(FileFilterTest, PairsBecomeQtNameFilters) {
    EXPECT_EQ(qtNameFilters("Drawing (*.dxf)|*.dxf|All files|*.*|Both|*.dxf;*.vec|odd"),
              (QStringList{"Drawing (*.dxf)", "All files (*.*)", "Both (*.dxf *.vec)"}));
    EXPECT_TRUE(qtNameFilters("").isEmpty());
    EXPECT_EQ(filterSuffix("DXF File (*.dxf)"), "dxf");
    EXPECT_EQ(filterSuffix("Both (*.dxf *.vec)"), "dxf");
    EXPECT_EQ(filterSuffix("All (*.*)"), "");
    EXPECT_EQ(filterSuffix("Anything"), "");
    EXPECT_EQ(displayText("first\rsecond\r\nthird"), QStringLiteral("first\nsecond\nthird"));
}

TEST(KeyCodesTest, KeypadSignsAndCommandKeys) {
    EXPECT_EQ(programKeyCode(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(programKeyCode(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_NE(programKeyCode(Qt::Key_Plus, Qt::NoModifier), 107);
    EXPECT_EQ(programKeyCode(Qt::Key_Return, Qt::NoModifier), 13);
    EXPECT_EQ(programKeyCode(Qt::Key_Escape, Qt::NoModifier), 27);
    EXPECT_EQ(programKeyCode(Qt::Key_A, Qt::ShiftModifier), 65);
    EXPECT_EQ(programKeyCode(Qt::Key_F1, Qt::NoModifier), 112);
}

}  // namespace
}  // namespace brondel::desktop
