#include "windows/modal_input.h"

#include "base/error.h"
#include "shell/main_window.h"
#include "windows/about_box.h"
#include "windows/forms.h"

namespace brondel::windows {

namespace {

shell::ModalWindow& openModal(shell::MainWindow& main) {
    if (!main.modal) {
        throw Error(err::kInvalidCall, "No modal window is open");
    }
    return *main.modal;
}

bool isClosingButton(const shell::ModalWindow& window, const std::string& control) {
    if (window.name == kHotkeysWindow) {
        return control == "cmdQuit";
    }
    return control == "cmdOK";
}

}  // namespace

void pressModalButton(shell::MainWindow& main, const std::string& control) {
    shell::ModalWindow& window = openModal(main);
    if (window.controls.count(control) == 0) {
        throw Error(err::kBadArgument, window.name + " has no control named " + control);
    }
    if (isClosingButton(window, control)) {
        main.modal.reset();
    } else if (window.name == kAboutBox && control == "cmdSysInfo") {
        StartSysInfo(main);
    }
}

void modalKey(shell::MainWindow& main, int keyCode) {
    const shell::ModalWindow& window = openModal(main);
    // The hot-keys text has the focus, so Enter there is typing, not a press.
    const bool closes =
        keyCode == kKeyEscape || (keyCode == kKeyEnter && window.name != kHotkeysWindow);
    if (closes) {
        main.modal.reset();
    }
}

}  // namespace brondel::windows
