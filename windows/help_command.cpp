#include "windows/help_command.h"

#include <filesystem>

#include "shell/main_window.h"

namespace brondel::windows {

namespace {

constexpr const char* kNoHelpText =
    "Can't find the help file (brondel.chm).\r"
    "It should be located in the same directory where this application is installed.";

constexpr const char* kNoViewerText = "The help file could not be opened: no viewer started.";

}  // namespace

void showHelp(shell::MainWindow& main) {
    const std::filesystem::path folder(main.appFolder);
    std::filesystem::path help;
    std::error_code ec;
    for (const char* name : {kHelpFile, kHtmlHelpFile}) {
        if (help.empty() && std::filesystem::is_regular_file(folder / name, ec)) {
            help = folder / name;
        }
    }
    if (help.empty()) {
        main.ports.dialogs.messageBox(kNoHelpText, ports::Buttons::Ok, ports::Icon::Exclamation,
                                      ports::kApplicationTitle);
        return;
    }
    if (!main.ports.launcher.openDocument(help.string())) {
        main.ports.dialogs.messageBox(kNoViewerText, ports::Buttons::Ok, ports::Icon::Exclamation,
                                      ports::kApplicationTitle);
    }
}

}  // namespace brondel::windows
