#pragma once

#include <functional>

namespace brondel::desktop {

// Runs a command of the program from a Qt event. A failure the handlers let
// through is shown to the user instead of unwinding through Qt.
void runGuarded(const std::function<void()>& command);

}  // namespace brondel::desktop
