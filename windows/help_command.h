#pragma once

namespace brondel::shell {
class MainWindow;
}

// The Help command: the help file beside the program, in the desktop's viewer.
namespace brondel::windows {

inline constexpr const char* kHelpFile = "brondel.chm";
// Shipped beside the program where no viewer for compiled help is at hand.
inline constexpr const char* kHtmlHelpFile = "brondel.html";

// Opens brondel.chm from the application folder, or brondel.html when the
// compiled help is not there; says so when neither is there or the viewer
// does not start.
void showHelp(shell::MainWindow& main);

}  // namespace brondel::windows
