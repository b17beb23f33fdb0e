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

inline constexpr const char* kAutosavePrompt =
    "Write changed drawings to recovery files every how many minutes? (0 = never)";

// Yes turns the backup on, No off; then the autosave interval, a whole
// number of minutes. Cancel, an empty answer or one that is not such a
// number leaves that setting as it was.
void showOptions(shell::MainWindow& main);

}  // namespace brondel::windows
