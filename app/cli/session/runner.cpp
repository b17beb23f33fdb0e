#include "app/cli/session/runner.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/cli/session/script.h"
#include "app/cli/session/session.h"
#include "base/error.h"

namespace brondel::cli::session {

namespace {

bool readFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return !in.bad();
}

}  // namespace

int runScript(const RunOptions& options, std::ostream& out, std::ostream& err) {
    std::string content;
    if (!readFile(options.script, content)) {
        err << "cannot read the script " << options.script << "\n";
        return exitcode::kFailure;
    }
    std::vector<Command> commands;
    try {
        commands = parseScript(content);
    } catch (const ScriptError& e) {
        err << options.script << ": " << e.what() << "\n";
        return exitcode::kBadScript;
    }

    std::ofstream transcriptFile;
    if (options.transcript) {
        transcriptFile.open(*options.transcript, std::ios::binary | std::ios::trunc);
        if (!transcriptFile) {
            err << "cannot write the transcript " << *options.transcript << "\n";
            return exitcode::kFailure;
        }
    }
    Transcript transcript(options.transcript ? &transcriptFile : nullptr);
    const auto scriptFolder = std::filesystem::absolute(options.script).parent_path();

    int line = 0;
    try {
        Session session(transcript, scriptFolder, options.appFolder, out);
        session.start();
        for (const Command& command : commands) {
            line = command.line;
            session.run(command);
            // A handler may have caught the failure and gone on; the run stops all the same.
            if (const auto& failure = session.dialogs().failure()) {
                err << *failure << "\n";
                return exitcode::kUnanswered;
            }
        }
        if (const auto unused = session.dialogs().unused(); !unused.empty()) {
            err << "answers left unused:";
            for (const std::string& u : unused) {
                err << "\n  " << u;
            }
            err << "\n";
            return exitcode::kUnused;
        }
    } catch (const DialogUnanswered& e) {
        err << e.message << "\n";
        return exitcode::kUnanswered;
    } catch (const Error& e) {
        err << options.script << ": line " << line << ": Error " << e.number() << ": "
            << e.description() << "\n";
        return exitcode::kFailure;
    } catch (const std::exception& e) {
        err << options.script << ": line " << line << ": " << e.what() << "\n";
        return exitcode::kFailure;
    }
    return exitcode::kOk;
}

}  // namespace brondel::cli::session
