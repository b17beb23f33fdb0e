#include "windows/window_routines.h"

namespace brondel::windows {

void CenterForm(FormPlacement& form, ScreenSize screen) {
    form.left = (screen.width - form.width) / 2;
    form.top = (screen.height - form.height) / 2;
}

void FormOnTop(FormPlacement& form, bool onTop) {
    form.onTop = onTop;
}

}  // namespace brondel::windows
