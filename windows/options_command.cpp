#include "windows/options_command.h"

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
}

}  // namespace brondel::windows
