#pragma once

#include "app/cli/session/transcript.h"
#include "shell/main_window.h"

// The program's state as JSON: what a user could see of the main window,
// its menus and toolbars, the modal window and every drawing window.
namespace brondel::cli::session {

Json dumpState(shell::MainWindow& main);

// One entity: handle, type code, kind, layer, colour and its geometry.
Json entityJson(const engine::Entity& e);

}  // namespace brondel::cli::session
