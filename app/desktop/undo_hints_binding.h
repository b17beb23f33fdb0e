#pragma once

namespace brondel::shell {
class MainWindow;
}

namespace brondel::desktop {

class MenuBinding;
class ToolbarBinding;

// Names what Undo and Redo would take back or bring again in the status
// text and tooltip of their menu items and toolbar buttons, read afresh
// whenever the Edit menu opens or a button is hovered.
void bindUndoHints(shell::MainWindow& main, MenuBinding& menus, ToolbarBinding& toolbars);

}  // namespace brondel::desktop
