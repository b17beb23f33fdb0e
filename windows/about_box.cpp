#include "windows/about_box.h"

#include <filesystem>
#include <memory>
#include <optional>

#include "base/error.h"
#include "shell/main_window.h"
#include "shell/version.h"
#include "windows/forms.h"

namespace brondel::windows {

namespace {

constexpr std::size_t kValueBufferSize = 1024;

constexpr const char* kDescription =
    "Brondel CNC Tools\r\n"
    "Drawings to cutting paths for CNC cutting machines.\r\n"
    "Questions and reports: the Brondel project's issue tracker.";

constexpr const char* kDisclaimer =
    "Warning: the makers of this software take no responsibility for its improper use, for "
    "damage to equipment or for injury to persons while it is used. Check every cutting path "
    "before you run it on a machine.";

// The program the settings store names, if it names one that exists.
std::optional<std::string> sysInfoProgram(ports::Registry& registry) {
    std::string text;
    if (GetKeyValue(registry, kHklm, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", text)) {
        return text;
    }
    if (GetKeyValue(registry, kHklm, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                    text)) {
        const std::filesystem::path program = std::filesystem::path(text) / "MSINFO32.EXE";
        std::error_code ec;
        if (std::filesystem::is_regular_file(program, ec)) {
            return program.string();
        }
    }
    return std::nullopt;
}

}  // namespace

void showAboutBox(shell::MainWindow& main) {
    auto box = std::make_unique<shell::ModalWindow>();
    box->name = kAboutBox;
    box->caption = std::string("About ") + ports::kApplicationTitle;
    box->controls["Picture1"] = {};
    box->controls["lblTitle"] = {ports::kApplicationTitle};
    box->controls["lblVersion"] = {versionText()};
    box->controls["lblDescription"] = {kDescription};
    box->controls["lblDisclaimer"] = {kDisclaimer};
    box->controls["cmdOK"] = {"OK"};
    box->controls["cmdSysInfo"] = {"&System Info..."};
    main.modal = std::move(box);
}

bool GetKeyValue(ports::Registry& registry, const std::string& root, const std::string& keyName,
                 const std::string& valueName, std::string& text) {
    text.clear();
    std::optional<std::string> value = registry.value(root + "\\" + keyName, valueName);
    if (!value || value->size() > kValueBufferSize) {
        return false;
    }
    if (!value->empty() && value->back() == '\0') {
        value->pop_back();
    }
    text = std::move(*value);
    return true;
}

void StartSysInfo(shell::MainWindow& main) {
    bool started = false;
    try {
        if (const auto program = sysInfoProgram(main.ports.registry)) {
            started = main.ports.launcher.start(*program, {});
        }
    } catch (const Error&) {
        // A store or launcher that fails counts as no program found.
    }
    if (!started) {
        main.ports.dialogs.messageBox(kSysInfoUnavailable, ports::Buttons::Ok, ports::Icon::None,
                                      ports::kApplicationTitle);
    }
}

}  // namespace brondel::windows
