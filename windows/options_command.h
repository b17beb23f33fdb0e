#pragma once

namespace brondel::shell {
class MainWindow;
}

// Tools > Options: the settings the program keeps in the engine's profile,
// changed one typed line at a time through the dialogs port, so scripted
// sessions reach them.
namespace brondel::windows {

void showOptions(shell::MainWindow& main);

}  // namespace brondel::windows
