#pragma once

#include <optional>
#include <ostream>
#include <string>

// `brondel-cli run`: a session of the program driven by a script.
namespace brondel::cli::session {

struct RunOptions {
    std::string script;
    std::optional<std::string> transcript;
    std::string appFolder;  // where the program keeps LastProfile.txt, hotkeys.txt, help
};

// Exit codes of a run.
namespace exitcode {
constexpr int kOk = 0;
constexpr int kFailure = 1;     // the script or transcript file could not be used
constexpr int kBadScript = 2;   // a line the session cannot run
constexpr int kUnanswered = 3;  // a dialog the script left without an answer
constexpr int kUnused = 4;      // answers nobody asked for
}  // namespace exitcode

// Runs the session; dumps without a file go to `out`, failures to `err`.
int runScript(const RunOptions& options, std::ostream& out, std::ostream& err);

}  // namespace brondel::cli::session
