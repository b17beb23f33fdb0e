#include <gtest/gtest.h>

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
#include "tests/gui/frame_fixture.h"
#include "windows/forms.h"

namespace brondel::desktop {
namespace {

class ModalWindowTest : public testing::OnScreenFixture<> {
  protected:
    ModalWindowTest() : OnScreenFixture("brondel-gui-modal-test") {
        dialogs_.answer = ports::Answer::Ok;
        std::filesystem::copy_file(std::filesystem::path(BRONDEL_SOURCE_DIR) / "hotkeys.txt",
                                   folder_ / "hotkeys.txt",
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // A key pressed in `target`, or in the dialog itself.
    void press(Qt::Key key, QWidget* target = nullptr) {
        ASSERT_NE(frame_->modalDialog(), nullptr);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target != nullptr ? target : frame_->modalDialog(), &event);
        QApplication::processEvents();
    }
};

TEST_F(ModalWindowTest, AboutOpensFromTheHelpMenuAndItsOkButtonClosesIt) {
    trigger("mnuHelpAbout");
    ModalDialog* dialog = frame_->modalDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(main_->modal, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle().toStdString(), main_->modal->caption);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("About Brondel 3.0"));
    EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Centred on the main window.
    EXPECT_LE(
        (dialog->frameGeometry().center() - frame_->frameGeometry().center()).manhattanLength(), 4);

    const QPointer<ModalDialog> shown(dialog);
    QPushButton* ok = dialog->button("cmdOK");
    ASSERT_NE(ok, nullptr);
    ok->click();
    QApplication::processEvents();
    EXPECT_EQ(main_->modal, nullptr);
    EXPECT_EQ(frame_->modalDialog(), nullptr);
    EXPECT_TRUE(shown.isNull() || !shown->isVisible());
}

TEST_F(ModalWindowTest, SystemInfoWithoutAProgramSaysSoAndLeavesTheBoxOpen) {
    trigger("mnuHelpAbout");
    ASSERT_NE(frame_->modalDialog(), nullptr);
    frame_->modalDialog()->button("cmdSysInfo")->click();
    QApplication::processEvents();
    EXPECT_EQ(dialogs_.boxes, 1);
    EXPECT_NE(main_->modal, nullptr);
    EXPECT_NE(frame_->modalDialog(), nullptr);
    press(Qt::Key_Return);
    EXPECT_EQ(main_->modal, nullptr);
    EXPECT_EQ(frame_->modalDialog(), nullptr);
}

TEST_F(ModalWindowTest, HotkeysWindowStaysOnTopShowsTheFileAndEscapeClosesIt) {
    trigger("mnuHelpHotkeys");
    ModalDialog* dialog = frame_->modalDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(main_->modal->name, windows::kHotkeysWindow);
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto* text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtHotkeys"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("Ctrl+K")));
    EXPECT_FALSE(text->toPlainText().contains(QLatin1Char('\r')));

    // Enter is typing in the hot-keys text, not a close; Escape there reaches the window.
    press(Qt::Key_Return, text);
    EXPECT_NE(main_->modal, nullptr);
    EXPECT_EQ(frame_->modalDialog(), dialog);

    press(Qt::Key_Escape, text);
    EXPECT_EQ(main_->modal, nullptr);
    EXPECT_EQ(frame_->modalDialog(), nullptr);
}

TEST_F(ModalWindowTest, ClosingTheDialogUnloadsTheProgramsWindow) {
    trigger("mnuHelpAbout");
    ASSERT_NE(frame_->modalDialog(), nullptr);
    frame_->modalDialog()->close();
    QApplication::processEvents();
    EXPECT_EQ(main_->modal, nullptr);
    EXPECT_EQ(frame_->modalDialog(), nullptr);
}

}  // namespace
}  // namespace brondel::desktop
