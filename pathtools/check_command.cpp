#include "pathtools/check_command.h"

#include "pathtools/drawing_check.h"
#include "pathtools/walk_report.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

void checkDrawingCommand(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    clearDeadEnd(window);
    main.showBusy();
    const std::vector<std::string> lines =
        checkReportLines(checkDrawing(window.Vecad1, main.searchRadius));
    main.showDefault();
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kCheckLinesShown; ++i) {
        window.Vecad1.commandMessage(lines[i]);
        text += (i == 0 ? "" : "\r") + lines[i];
    }
    for (std::size_t i = kCheckLinesShown; i < lines.size(); ++i) {
        window.Vecad1.commandMessage(lines[i]);
    }
    if (lines.size() > kCheckLinesShown) {
        text += "\r... " + std::to_string(lines.size() - kCheckLinesShown) +
                " more lines in the command window";
    }
    main.notice(lines.front());
    main.ports.dialogs.messageBox(text, ports::Buttons::Ok, ports::Icon::Information,
                                  kCheckDrawingTitle);
}

}  // namespace brondel::pathtools
