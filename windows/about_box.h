#pragma once

#include <string>

namespace brondel::ports {
class Registry;
class Launcher;
}  // namespace brondel::ports

namespace brondel::shell {
class MainWindow;
}

// The About box and the system-information program it can start.
namespace brondel::windows {

inline constexpr const char* kHklm = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// Builds frmAbout and shows it modally.
void showAboutBox(shell::MainWindow& main);

// A string value of the settings store: true with its text, or false with
// an empty text. Values longer than the 1024-byte buffer do not fit and
// count as unreadable; one terminating zero byte is dropped.
bool GetKeyValue(ports::Registry& registry, const std::string& root, const std::string& keyName,
                 const std::string& valueName, std::string& text);

// Finds the system-information program and starts it; when none is found or
// it does not start, says so.
void StartSysInfo(shell::MainWindow& main);

}  // namespace brondel::windows
