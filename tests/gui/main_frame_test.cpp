#include "tests/gui/user_session.h"

#include <QAction>
#include <QMenuBar>

#include "app/desktop/file_filter.h"
#include "app/desktop/key_codes.h"

namespace brondel::desktop {
namespace {

using MainFrameTest = testing::UserSession;

TEST_F(MainFrameTest, MenuBarShowsTheModelsMenusInOrder) {
    const QList<QAction*> bar = frame.menuBar()->actions();
    const auto& menus = program.main.menus.menus();
    ASSERT_EQ(bar.size(), 12);
    ASSERT_EQ(menus.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(bar[i]->text().toStdString(), menus[static_cast<std::size_t>(i)]->caption());
    }
}

// What each menu item and button shows in every state is road_test's; a new
// drawing's frame, maximized and active, and closing it are followed there and
// in drawing_windows_test; the status panels in save_as_test.
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
