#pragma once

#include <string>

namespace brondel::shell {
class MainWindow;
}

// The engine's font tools: the list of fonts it can draw text with, and the
// font converters, which this engine does not have.
namespace brondel::windows {

// Shows the font list modally: the fonts of the active drawing when there
// is one, else the built-in fonts only. caption is the menu item's.
void showFontsList(shell::MainWindow& main, const std::string& caption);

// The converters of SHX and TrueType fonts: tells the user they are not
// available.
void fontConversionUnavailable(shell::MainWindow& main, const std::string& kind);

}  // namespace brondel::windows
