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

// Dialogs that answer No and cancel every file dialog.
class RefusingDialogs : public ports::Dialogs {
  public:
    ports::Answer messageBox(const std::string&, ports::Buttons, ports::Icon,
                             const std::string&) override {
        return ports::Answer::No;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    std::string openFile(const ports::FileDialogSetup&) override { return ""; }
    std::string saveFile(const ports::FileDialogSetup&) override { return ""; }
};

// The main window on screen over a started program whose engine profile
// lives in a folder of its own, with the magnifier off.
class FrameFixture : public ::testing::Test {
  protected:
    FrameFixture()
        : folder_(std::filesystem::temp_directory_path() /
                  ("brondel-gui-pictures-test-" + std::to_string(::getpid()))) {
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
    ~FrameFixture() override {
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

    std::filesystem::path folder_;
    RefusingDialogs dialogs_;
    ports::Pump pump_;
    ports::NoRegistry registry_;
    ports::NoLauncher launcher_;
    ports::NoPrinter printer_;
    std::unique_ptr<shell::MainWindow> main_;
    std::unique_ptr<MainFrame> frame_;
};

}  // namespace brondel::desktop::testing
