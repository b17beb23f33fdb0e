#include <gtest/gtest.h>

#include <unistd.h>
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
#include "ports/linux_registry.h"
#include "ports/pdf_printer.h"
#include "windows/forms.h"

namespace brondel::desktop {
namespace {

class SilentDialogs : public ports::Dialogs {
  public:
    int boxes = 0;
    ports::Answer messageBox(const std::string&, ports::Buttons, ports::Icon,
                             const std::string&) override {
        ++boxes;
        return ports::Answer::Ok;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    std::string openFile(const ports::FileDialogSetup&) override { return ""; }
    std::string saveFile(const ports::FileDialogSetup&) override { return ""; }
};

class NoLauncher : public ports::Launcher {
  public:
    bool start(const std::string&, const std::vector<std::string>&) override { return false; }
    bool openDocument(const std::string&) override { return false; }
};

class ModalWindowTest : public ::testing::Test {
  protected:
    ModalWindowTest()
        : folder_(std::filesystem::temp_directory_path() /
                  ("brondel-gui-modal-test-" + std::to_string(::getpid()))),
          printer_((folder_ / "print.pdf").string()) {
        std::filesystem::create_directories(folder_);
        std::filesystem::copy_file(std::filesystem::path(BRONDEL_SOURCE_DIR) / "hotkeys.txt",
                                   folder_ / "hotkeys.txt",
                                   std::filesystem::copy_options::overwrite_existing);
        main_ = std::make_unique<shell::MainWindow>(
            shell::Ports{dialogs_, pump_, registry_, launcher_, printer_}, folder_.string());
        main_->start();
        frame_ = std::make_unique<MainFrame>(*main_);
        frame_->resize(900, 700);
        frame_->show();
    }
    ~ModalWindowTest() override {
        frame_.reset();
        main_.reset();
        std::filesystem::remove_all(folder_);
    }

    void trigger(const std::string& name) {
        QAction* action = frame_->menuBinding().action(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
        QApplication::processEvents();
    }

    // A key pressed in `target`, or in the dialog itself.
    void press(Qt::Key key, QWidget* target = nullptr) {
        ASSERT_NE(frame_->modalDialog(), nullptr);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target != nullptr ? target : frame_->modalDialog(), &event);
        QApplication::processEvents();
    }

    std::filesystem::path folder_;
    SilentDialogs dialogs_;
    ports::Pump pump_;
    ports::LinuxRegistry registry_{""};
    NoLauncher launcher_;
    ports::PdfPrinter printer_;
    std::unique_ptr<shell::MainWindow> main_;
    std::unique_ptr<MainFrame> frame_;
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
