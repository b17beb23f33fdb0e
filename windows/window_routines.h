#pragma once

// Shared routines that place the program's own windows. Sizes are twips,
// 15 to a pixel.
namespace brondel::windows {

struct ScreenSize {
    int width, height;
};

// The screen a headless session pretends to have: 1920 x 1080 pixels.
inline constexpr ScreenSize kHeadlessScreen{1920 * 15, 1080 * 15};

// Where a window stands and whether it stays above the ordinary windows.
struct FormPlacement {
    int left = 0, top = 0, width = 0, height = 0;
    bool onTop = false;
};

// Centres the window on the screen; a window larger than the screen gets a
// negative left or top. The size does not change.
void CenterForm(FormPlacement& form, ScreenSize screen = kHeadlessScreen);

// Makes the window topmost, or ordinary again; position and size stay.
void FormOnTop(FormPlacement& form, bool onTop);

}  // namespace brondel::windows
