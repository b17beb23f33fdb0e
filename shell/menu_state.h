#pragma once

#include <string_view>

#include "shell/menu_model.h"
#include "shell/toolbar_model.h"

// Which commands the user can reach: with no drawing window, with one in the
// coordinate view, and with one in the DAT view. The state lives in the
// models themselves; these routines only switch it.
namespace brondel::shell {

// Drawing commands: the File items that need a drawing, every menu but File
// and Help, all four toolbars and the check marks of two toolbar items.
void SetDrawingCommandsEnabled(MenuModel& menus, ToolbarModel& toolbars, bool on);

// Edit commands: the menus that edit or inspect the drawing, the toolbars
// beside the command bar and the command bar's editing buttons. The DAT
// view switches them off, the coordinate view on.
void SetEditCommandsEnabled(MenuModel& menus, ToolbarModel& toolbars, bool on);

// File > New and the File > Open submenu: off while the view buttons show the
// DAT view, on again for the coordinate view and whenever a window closes.
void SetNewAndOpenEnabled(MenuModel& menus, bool on);

// A View > Toolbars item: hide its toolbar when shown, show it when hidden,
// the item's check mark following. Returns whether the toolbar is now shown.
bool ToggleToolbar(MenuModel& menus, ToolbarModel& toolbars, std::string_view item);

}  // namespace brondel::shell
