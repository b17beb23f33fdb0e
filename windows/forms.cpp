#include "windows/forms.h"

#include "shell/main_window.h"

namespace brondel::windows {

namespace {

struct FormSize {
    const char* name;
    int width, height;
    bool onTop;
};

// Client areas in twips.
constexpr FormSize kForms[] = {
    {kHotkeysWindow, 9525, 6030, true},
    {kAboutBox, 8100, 4065, false},
    {kFontsList, 4800, 5400, false},
};

}  // namespace

FormPlacement placementOf(const shell::ModalWindow& window, ScreenSize screen) {
    FormPlacement placement;
    for (const FormSize& form : kForms) {
        if (window.name == form.name) {
            placement.width = form.width;
            placement.height = form.height;
            FormOnTop(placement, form.onTop);
        }
    }
    CenterForm(placement, screen);
    return placement;
}

}  // namespace brondel::windows
