#include "shell/program_folder.h"

namespace brondel::shell {

std::string programFolder(const std::filesystem::path& executableFolder) {
    std::error_code ec;
    const std::filesystem::path installed = executableFolder.parent_path() / "share" / "brondel";
    if (!std::filesystem::exists(executableFolder / "hotkeys.txt", ec) &&
        std::filesystem::exists(installed / "hotkeys.txt", ec)) {
        return installed.string();
    }
    return executableFolder.string();
}

}  // namespace brondel::shell
