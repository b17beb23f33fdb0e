#pragma once

#include <string>

// The program's version, set once in the build (project VERSION).
namespace brondel {

inline constexpr int kVersionMajor = BRONDEL_VERSION_MAJOR;
inline constexpr int kVersionMinor = BRONDEL_VERSION_MINOR;
inline constexpr int kVersionRevision = BRONDEL_VERSION_PATCH;

// "3.0.68", as --version prints it.
inline std::string versionNumber() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

// "Version 3.0.68", as the splash window and the About box show it.
inline std::string versionText() {
    return "Version " + versionNumber();
}

}  // namespace brondel
