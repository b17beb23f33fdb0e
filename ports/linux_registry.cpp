#include "ports/linux_registry.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace brondel::ports {

const std::vector<std::string>& LinuxRegistry::sysInfoPrograms() {
    static const std::vector<std::string> programs{"hardinfo", "gnome-system-monitor",
                                                   "kinfocenter"};
    return programs;
}

LinuxRegistry::LinuxRegistry(std::string searchPath) : searchPath_(std::move(searchPath)) {}

LinuxRegistry::LinuxRegistry() {
    const char* path = std::getenv("PATH");
    searchPath_ = path ? path : "";
}

std::optional<std::string> LinuxRegistry::value(const std::string& key, const std::string& name) {
    if (key != kSysInfoKey || name != kSysInfoValue) {
        return std::nullopt;
    }
    for (const std::string& program : sysInfoPrograms()) {
        if (auto found = findOnPath(program, searchPath_)) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<std::string> findOnPath(const std::string& program, const std::string& searchPath) {
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        // An empty entry means the current folder; a program found there
        // would run whatever lies in the folder the user happens to be in.
        const std::string folder = searchPath.substr(start, end - start);
        if (!folder.empty()) {
            const std::filesystem::path candidate = std::filesystem::path(folder) / program;
            std::error_code ec;
            if (std::filesystem::is_regular_file(candidate, ec) &&
                ::access(candidate.c_str(), X_OK) == 0) {
                return candidate.string();
            }
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace brondel::ports
