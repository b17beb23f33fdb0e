#pragma once

#include <cstdint>

#include "documents/drawing_window.h"

namespace brondel::shell {
class MainWindow;
}

// The engine's command line, shown in a box under a drawing window's
// drawing and hidden again by the same command.
namespace brondel::windows {

// The box (Picture1) that holds the command line: 6765 x 1515 twips at the
// left edge 480, its top at the bottom of the drawing control.
documents::Layout commandBoxLayout(const documents::DrawingWindow& window);

// The window handle the engine gets for a drawing window's box.
std::intptr_t commandBoxHandle(const documents::DrawingWindow& window);

// Creates the engine's command window in the active drawing window's box,
// places the box and shows or hides it; the menu item's check mark follows.
void toggleCommandWindow(shell::MainWindow& main);

// Text typed over the drawing goes to the command line, so a hidden one
// opens for it; one already showing stays.
void showCommandWindow(shell::MainWindow& main);

}  // namespace brondel::windows
