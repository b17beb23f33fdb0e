#pragma once

#include <string_view>
#include <vector>

// What every menu item and toolbar position does, as data. The dispatcher
// reads an Action and carries it out on the active drawing window.
namespace brondel::shell {

enum class ActionKind {
    None,                // nothing happens
    Submenu,             // a menu or submenu: opening it is all it does
    Engine,              // forward `code` to the engine by `rule`
    ProgramCommand,      // the program's own command `target`, served in `owner`
    Ortho,               // toggle the engine's polar (ortho) mode and mnuOrtho's check mark
    ToggleToolbar,       // show or hide toolbar `target`, the item's check mark following
    NotWorking,          // the "Not working in this version" notice
    Magnifier,           // show or hide the engine's magnifier
    Navigator,           // create the navigator unless one exists
    ShowCoordinateView,  // enable New and Open, then show the coordinate view
    ShowDatView,         // disable New and Open, then show the DAT view
    Snap,                // set snap mode `code` (a bit) on the drawing control
    ArrangeWindows,      // arrange the drawing windows; `code` is the arrange kind
    AsItem,              // a toolbar position doing exactly what menu item `target` does
};

// How a command code reaches the engine.
enum class EngineRule {
    A,  // Execute on the drawing control
    B,  // Execute on whichever of drawing and DAT preview is visible, drawing first
    C,  // Execute on the drawing control only while it is visible
    D,  // as A, any failure ignored
};

// The program folder whose handler serves a Handler action.
enum class Owner { Shell, Documents, PathTools, CoordFiles, Windows };

// Arrange kinds of the Windows menu.
namespace arrange {
constexpr int kCascade = 0;
constexpr int kTileHorizontal = 1;
constexpr int kIcons = 3;
}  // namespace arrange

struct Action {
    ActionKind kind = ActionKind::None;
    // Engine: command code; Snap: snap bit; ArrangeWindows: arrange kind.
    int code = 0;
    EngineRule rule = EngineRule::A;
    // Handler: handler name; ToggleToolbar: toolbar name; AsItem: menu item name.
    std::string_view target;
    Owner owner = Owner::Shell;

    bool operator==(const Action&) const = default;
};

// Throw brondel::Error for a name or position that has no action.
const Action& actionOf(std::string_view itemName);
const Action& actionOfButton(std::string_view toolbar, int position);
// The button's action with AsItem followed to the item's own action.
const Action& resolvedActionOfButton(std::string_view toolbar, int position);

// Null instead of throwing.
const Action* findActionOf(std::string_view itemName);

// Every item name the table routes, in menu order.
std::vector<std::string_view> routedItems();
// How many positions the table routes on a toolbar (0 for an unknown one).
int routedPositions(std::string_view toolbar);

}  // namespace brondel::shell
