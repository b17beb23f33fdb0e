#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/toolbar_binding.h"
#include "engine/cad.h"
#include "ports/inert_ports.h"

namespace brondel::desktop::testing {

// Dialogs that count the message boxes and give each the same answer, and
// cancel every other dialog.
class CountingDialogs : public ports::Dialogs {
  public:
    ports::Answer answer = ports::Answer::No;
    int boxes = 0;
    ports::Answer messageBox(const std::string&, ports::Buttons, ports::Icon,
                             const std::string&) override {
        ++boxes;
        return answer;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    std::string openFile(const ports::FileDialogSetup&) override { return ""; }
    std::string saveFile(const ports::FileDialogSetup&) override { return ""; }
};

// A started program with its main window on screen, over the given dialogs
// and pump and inert other ports, in a folder and engine profile of its own
// (named after the test and this process, so tests may run side by side),
// with the magnifier off.
template <class Dialogs = CountingDialogs, class Pump = ports::Pump>
class OnScreenFixture : public ::testing::Test {
  protected:
    explicit OnScreenFixture(const std::string& name)
        : folder_(std::filesystem::temp_directory_path() /
                  (name + "-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
        engine::CadSetProfileFolder(folder_.string());
        engine::CadMagPutShow(false);
        main_ = std::make_unique<shell::MainWindow>(
            shell::Ports{dialogs_, pump_, registry_, launcher_, printer_}, folder_.string());
        main_->start();
        frame_ = std::make_unique<MainFrame>(*main_);
        frame_->resize(900, 700);
        frame_->show();
    }
    ~OnScreenFixture() override {
        frame_.reset();
        main_.reset();
        engine::CadMagPutShow(false);
        engine::CadSetProfileFolder("");
        std::filesystem::remove_all(folder_);
    }

    void trigger(const std::string& item) {
        QAction* action = frame_->menuBinding().action(item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
        QApplication::processEvents();
    }
    void press(const std::string& toolbar, int position) {
        QAction* button = frame_->toolbarBinding().button(toolbar, position);
        ASSERT_NE(button, nullptr) << toolbar << " " << position;
        button->trigger();
        QApplication::processEvents();
    }

    // The ports come first: the program holds them until it goes.
    Dialogs dialogs_;
    Pump pump_;
    ports::NoRegistry registry_;
    ports::NoLauncher launcher_;
    ports::NoPrinter printer_;
    std::filesystem::path folder_;
    std::unique_ptr<shell::MainWindow> main_;
    std::unique_ptr<MainFrame> frame_;
};

class FrameFixture : public OnScreenFixture<> {
  protected:
    FrameFixture() : OnScreenFixture("brondel-gui-frame-test") {}
};

}  // namespace brondel::desktop::testing
