#pragma once

#include <string>

namespace brondel::shell {
class MainWindow;
}

// Input to the open modal window: a click on one of its buttons, a key press.
namespace brondel::windows {

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

// Fails with brondel::Error when no modal window is open or it has no
// control of that name; a click on a control that is not a button does
// nothing.
void pressModalButton(shell::MainWindow& main, const std::string& control);

// Escape closes every modal window; Enter presses the About box's and the
// font list's default button. Other keys go to the focused control and
// change nothing. Fails with brondel::Error when no modal window is open.
void modalKey(shell::MainWindow& main, int keyCode);

}  // namespace brondel::windows
