#include "tests/gui/user_session.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <fstream>
#include <map>

// The drawing windows inside the main window as a user meets them: several
// open at once, one coming and going, arranged, closed at Exit.
namespace brondel::desktop {
namespace {

class DrawingWindowsTest : public testing::UserSession {
  protected:
    std::string datFile() {
        const std::string file = program.folder.file("tri.dat");
        std::ofstream(file) << "0 0\r\n0.5 0.25\r\n1 0\r\n";
        return file;
    }
    // How each child stands on screen.
    std::map<QMdiSubWindow*, QRect> placement() {
        std::map<QMdiSubWindow*, QRect> placed;
        for (QMdiSubWindow* child : frame.mdiArea()->subWindowList()) {
            placed[child] = child->isHidden() ? QRect() : child->geometry();
        }
        return placed;
    }
};

TEST_F(DrawingWindowsTest, AnImportClosedAgainLeavesTheOtherWindowsAsTheyWere) {
    click("mnuFileNew");
    click("mnuFileNew");
    const auto before = placement();
    program.dialogs().open(datFile()).input("0");
    click("mnuDatFile");
    ASSERT_EQ(program.main.windows().size(), 2u);
    EXPECT_EQ(placement(), before);
    EXPECT_EQ(frame.mdiArea()->activeSubWindow(), &activeFrame());
    EXPECT_TRUE(activeFrame().isMaximized());
    for (const auto& [child, at] : placement()) {
        EXPECT_GT(at.height(), child->minimumSizeHint().height() * 3) << "not just a title bar";
    }
}

TEST_F(DrawingWindowsTest, ANegativeSizeIsRefusedAndDrawsNothing) {
    program.dialogs().open(datFile()).input("-10");
    click("mnuDatFile");
    const auto messages = program.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Error Number: 5, Error Description: The horizontal size must not be negative");
    EXPECT_EQ(program.active().Vecad1.GetNumEntities(), 0);
}

}  // namespace
}  // namespace brondel::desktop
