#include "windows/options_command.h"

#include <charconv>
#include <string>

#include "engine/cad.h"
#include "shell/main_window.h"

namespace brondel::windows {

void showOptions(shell::MainWindow& main) {
    const ports::Answer backup = main.ports.dialogs.messageBox(
        kBackupQuestion, ports::Buttons::YesNoCancel, ports::Icon::Question, kOptionsTitle);
    if (backup == ports::Answer::Cancel) {
        return;
    }
    engine::CadPutKeepBackup(backup == ports::Answer::Yes);
    const std::string minutes = main.ports.dialogs.inputBox(
        kAutosavePrompt, kOptionsTitle, std::to_string(engine::CadGetAutosaveMinutes()));
    int value = 0;
    const char* end = minutes.data() + minutes.size();
    const auto [ptr, ec] = std::from_chars(minutes.data(), end, value);
    if (!minutes.empty() && ec == std::errc() && ptr == end && value >= 0) {
        engine::CadPutAutosaveMinutes(value);
    }
}

}  // namespace brondel::windows
