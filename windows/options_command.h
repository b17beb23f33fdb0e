#pragma once

namespace brondel::shell {
class MainWindow;
}

// Tools > Options: the settings the program keeps in the engine's profile,
// asked one by one through the dialogs port, so scripted sessions reach them.
namespace brondel::windows {

inline constexpr const char* kOptionsTitle = "Options";
inline constexpr const char* kBackupQuestion =
    "Keep a backup copy of a drawing file that a save replaces?\r"
    "The old file stays beside the new one as NAME.bak.";

// Yes turns the backup on, No off; Cancel leaves every setting as it was.
void showOptions(shell::MainWindow& main);

}  // namespace brondel::windows
