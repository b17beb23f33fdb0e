#include "windows/options_command.h"

#include "documents/drawing_window.h"
#include "engine/options_editor.h"
#include "ports/dialogs.h"
#include "shell/main_window.h"

namespace brondel::windows {

void showOptions(shell::MainWindow& main) {
    engine::OptionsEditor editor;
    ports::typedEditing(main.ports.dialogs, editor);
    // The ground and the apertures are every view's: draw them all again.
    for (const auto& window : main.windows()) {
        window->Vecad1.WndRedraw();
        window->Vecad2.WndRedraw();
    }
}

}  // namespace brondel::windows
