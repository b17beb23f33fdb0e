#pragma once

#include <Qt>

namespace brondel::desktop {

// The program's key code for a Qt key (the codes the handlers test: 13 Enter,
// 27 Escape, 107 and 109 the keypad's plus and minus, letters as their
// capitals, ...), or 0 for a key the program has no code for.
int programKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace brondel::desktop
