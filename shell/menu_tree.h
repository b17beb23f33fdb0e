#pragma once

#include <span>

// The menu bar's design: every item in display order, with the state it has
// before the main window's load switches anything.
namespace brondel::shell {

enum MenuRowFlag : unsigned {
    kHidden = 1u,
    kDisabled = 2u,
    kChecked = 4u,
};

struct MenuRow {
    int depth;             // 0 top-level menu, 1 item of a menu, 2 item of a submenu
    const char* name;      // "" for separators and unnamed items
    const char* caption;   // "-" for a separator
    const char* shortcut;  // "" for none
    unsigned flags;        // MenuRowFlag bits
};

// A submenu's items follow the row that opens it, one level deeper.
std::span<const MenuRow> menuTree();

}  // namespace brondel::shell
