#pragma once

#include <QIcon>
#include <string_view>

// Which picture each toolbar button shows. Keys repeat within a toolbar, so
// buttons are found by toolbar and position, as their handlers find them.
namespace brondel::desktop {

// Null for separators, the hidden button and unknown positions.
QIcon buttonIcon(std::string_view toolbar, int position);
// The picture of the button that does what this menu item does; null when
// no button does.
QIcon menuItemIcon(std::string_view item);

}  // namespace brondel::desktop
