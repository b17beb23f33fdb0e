#pragma once

#include <QString>
#include <deque>
#include <string>

#include "app/desktop/qt_ports.h"

namespace brondel::desktop {

class MainFrame;

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

// Walks the main road on a bundled drawing and saves a picture of each stop
// in folder: the start, a drawing with its coordinate list, the start marker
// with the direction dialog, the reorganized drawing, the DAT view, the
// About box and the hot-keys window. Returns false when a picture could
// not be taken or saved.
bool runScreenshotTour(MainFrame& frame, PresetDialogs& dialogs, const QString& sourceFolder,
                       const QString& folder);

}  // namespace brondel::desktop
