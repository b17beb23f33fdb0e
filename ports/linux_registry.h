#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/registry.h"

// The settings store on Linux. The program only asks it where the
// system-information program lives; the answer is the first such program
// found on the PATH.
namespace brondel::ports {

class LinuxRegistry : public Registry {
  public:
    // The key and value that name the system-information program.
    static constexpr const char* kSysInfoKey =
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    static constexpr const char* kSysInfoValue = "PATH";

    // The programs tried, in order of preference.
    static const std::vector<std::string>& sysInfoPrograms();

    // searchPath as the PATH variable holds it (folders separated by ':').
    explicit LinuxRegistry(std::string searchPath);
    // Searches the process's PATH.
    LinuxRegistry();

    std::optional<std::string> value(const std::string& key, const std::string& name) override;

  private:
    std::string searchPath_;
};

// The first executable file called program in the folders of searchPath.
std::optional<std::string> findOnPath(const std::string& program, const std::string& searchPath);

}  // namespace brondel::ports
