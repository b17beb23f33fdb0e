#include "app/desktop/preset_dialogs.h"

#include <utility>

namespace brondel::desktop {

ports::Answer PresetDialogs::messageBox(const std::string& text, ports::Buttons buttons,
                                        ports::Icon icon, const std::string& title) {
    if (answers.empty()) {
        return QtDialogs::messageBox(text, buttons, icon, title);
    }
    const ports::Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::string PresetDialogs::inputBox(const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) {
    if (inputs.empty()) {
        return QtDialogs::inputBox(prompt, title, defaultText);
    }
    std::string answer = std::move(inputs.front());
    inputs.pop_front();
    return answer;
}

std::string PresetDialogs::openFile(const ports::FileDialogSetup& setup) {
    if (openPaths.empty()) {
        return QtDialogs::openFile(setup);
    }
    std::string path = std::move(openPaths.front());
    openPaths.pop_front();
    return path;
}

}  // namespace brondel::desktop
