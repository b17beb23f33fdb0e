#pragma once

namespace brondel::shell {
class MainWindow;
}

// The hot-keys window: the shipped list of keyboard shortcuts, shown as it
// stands in hotkeys.txt beside the program.
namespace brondel::windows {

inline constexpr const char* kHotkeysFile = "hotkeys.txt";

// Builds frmHotkeys afresh (reading the file again) and shows it modally.
void showHotkeysWindow(shell::MainWindow& main);

}  // namespace brondel::windows
