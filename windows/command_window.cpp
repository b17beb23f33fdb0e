#include "windows/command_window.h"

#include "engine/cad.h"
#include "shell/main_window.h"

namespace brondel::windows {

namespace {

constexpr int kBoxLeft = 480;
constexpr int kBoxWidth = 6765;
constexpr int kBoxHeight = 1515;

// The engine's command window inside the box, in pixels.
constexpr int kLineLeft = 10, kLineTop = 4, kLineWidth = 425, kLineHeight = 85;

}  // namespace

documents::Layout commandBoxLayout(const documents::DrawingWindow& window) {
    return {kBoxLeft, window.vecad1Layout.height - kBoxHeight, kBoxWidth, kBoxHeight};
}

std::intptr_t commandBoxHandle(const documents::DrawingWindow& window) {
    return reinterpret_cast<std::intptr_t>(&window.commandWindowVisible);
}

void toggleCommandWindow(shell::MainWindow& main) {
    documents::DrawingWindow* window = main.active();
    if (window == nullptr) {
        return;
    }
    engine::CadCWCreate(commandBoxHandle(*window), kLineLeft, kLineTop, kLineWidth, kLineHeight);
    window->commandWindowVisible = !window->commandWindowVisible;
    window->commandWindowChanged.emit();
    main.menus.setChecked("mnuToolsCommandWindow", window->commandWindowVisible);
}

void showCommandWindow(shell::MainWindow& main) {
    const documents::DrawingWindow* window = main.active();
    if (window != nullptr && !window->commandWindowVisible) {
        toggleCommandWindow(main);
    }
}

}  // namespace brondel::windows
