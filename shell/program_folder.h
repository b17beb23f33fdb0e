#pragma once

#include <filesystem>
#include <string>

namespace brondel::shell {

// The folder the program finds hotkeys.txt and its help in: its own folder
// when they lie there (a build, or a copy run from anywhere), else, installed,
// share/brondel beside the bin folder that holds the program.
std::string programFolder(const std::filesystem::path& executableFolder);

}  // namespace brondel::shell
