#pragma once

#include "windows/window_routines.h"

namespace brondel::shell {
struct ModalWindow;
}

// The program's own modal windows: their names and where they stand.
namespace brondel::windows {

inline constexpr const char* kHotkeysWindow = "frmHotkeys";
inline constexpr const char* kAboutBox = "frmAbout";
inline constexpr const char* kFontsList = "CadFontsList";

// Where the window stands once its load handler has run on that screen:
// its size, centred, and for the hot-keys window topmost. A skin places
// the window by this.
FormPlacement placementOf(const shell::ModalWindow& window, ScreenSize screen = kHeadlessScreen);

}  // namespace brondel::windows
