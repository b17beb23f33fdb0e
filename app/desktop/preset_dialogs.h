#pragma once

#include <deque>
#include <string>

#include "app/desktop/qt_ports.h"

namespace brondel::desktop {

// Qt dialogs that first use answers given beforehand: a file named on the
// command line, or the answers of the screenshot tour. A dialog with no
// answer waiting is shown to the user.
class PresetDialogs : public QtDialogs {
  public:
    std::deque<std::string> openPaths;
    std::deque<ports::Answer> answers;
    std::deque<std::string> inputs;

    ports::Answer messageBox(const std::string& text, ports::Buttons buttons, ports::Icon icon,
                             const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string openFile(const ports::FileDialogSetup& setup) override;
};

}  // namespace brondel::desktop
