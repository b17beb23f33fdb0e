#include "tests/gui/user_session.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include <filesystem>

#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/modal_dialog.h"
#include "windows/forms.h"

namespace brondel::desktop {
namespace {

class ModalWindowTest : public testing::UserSession {
  protected:
    ModalWindowTest() {
        std::filesystem::copy_file(std::filesystem::path(BRONDEL_SOURCE_DIR) / "hotkeys.txt",
                                   program.folder.path() / "hotkeys.txt");
    }

    // A key pressed in `target`, or in the dialog itself.
    void press(Qt::Key key, QWidget* target = nullptr) {
        ASSERT_NE(frame.modalDialog(), nullptr);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target != nullptr ? target : frame.modalDialog(), &event);
        QApplication::processEvents();
    }
};

// OK, Return and the window's own close each close the box and unload the
// program's window; a message box from System Info leaves it open.
TEST_F(ModalWindowTest, AboutOpensFromTheHelpMenuAndClosesEveryWay) {
    click("mnuHelpAbout");
    ModalDialog* dialog = frame.modalDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(program.main.modal, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle().toStdString(), program.main.modal->caption);
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Centred on the main window.
    EXPECT_LE((dialog->frameGeometry().center() - frame.frameGeometry().center()).manhattanLength(),
              4);

    const QPointer<ModalDialog> shown(dialog);
    QPushButton* ok = dialog->button("cmdOK");
    ASSERT_NE(ok, nullptr);
    ok->click();
    QApplication::processEvents();
    EXPECT_EQ(program.main.modal, nullptr);
    EXPECT_EQ(frame.modalDialog(), nullptr);
    EXPECT_TRUE(shown.isNull() || !shown->isVisible());

    click("mnuHelpAbout");
    ASSERT_NE(frame.modalDialog(), nullptr);
    frame.modalDialog()->button("cmdSysInfo")->click();
    QApplication::processEvents();
    EXPECT_EQ(program.dialogs().messages().size(), 1u);
    EXPECT_NE(program.main.modal, nullptr);
    EXPECT_NE(frame.modalDialog(), nullptr);
    press(Qt::Key_Return);
    EXPECT_EQ(program.main.modal, nullptr);
    EXPECT_EQ(frame.modalDialog(), nullptr);

    click("mnuHelpAbout");
    ASSERT_NE(frame.modalDialog(), nullptr);
    frame.modalDialog()->close();
    QApplication::processEvents();
    EXPECT_EQ(program.main.modal, nullptr);
    EXPECT_EQ(frame.modalDialog(), nullptr);
}

TEST_F(ModalWindowTest, HotkeysWindowStaysOnTopShowsTheFileAndEscapeClosesIt) {
    click("mnuHelpHotkeys");
    ModalDialog* dialog = frame.modalDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(program.main.modal->name, windows::kHotkeysWindow);
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto* text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtHotkeys"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("Ctrl+K")));
    EXPECT_FALSE(text->toPlainText().contains(QLatin1Char('\r')));

    // Enter is typing in the hot-keys text, not a close; Escape there reaches the window.
    press(Qt::Key_Return, text);
    EXPECT_NE(program.main.modal, nullptr);
    EXPECT_EQ(frame.modalDialog(), dialog);

    press(Qt::Key_Escape, text);
    EXPECT_EQ(program.main.modal, nullptr);
    EXPECT_EQ(frame.modalDialog(), nullptr);
}

}  // namespace
}  // namespace brondel::desktop
