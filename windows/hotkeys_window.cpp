#include "windows/hotkeys_window.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "shell/main_window.h"
#include "windows/forms.h"

namespace brondel::windows {

namespace {

constexpr const char* kMissingFileText =
    "Can't find the Hotkeys Text File (hotkeys.txt).  Sorry.\r\n"
    "This file should be located in the same directory \r\n"
    "where this application is installed";

// The whole file unchanged, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

void showHotkeysWindow(shell::MainWindow& main) {
    auto window = std::make_unique<shell::ModalWindow>();
    window->name = kHotkeysWindow;
    window->controls["txtHotkeys"] = {};
    window->controls["cmdQuit"] = {"Click here, or hit ESC to exit this screen"};

    const auto text = readWholeFile(std::filesystem::path(main.appFolder) / kHotkeysFile);
    if (text) {
        window->controls["txtHotkeys"].text = *text;
    } else {
        main.ports.dialogs.messageBox(kMissingFileText, ports::Buttons::Ok,
                                      ports::Icon::Exclamation, "File Error");
    }
    main.modal = std::move(window);
}

}  // namespace brondel::windows
