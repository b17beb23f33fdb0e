#include "app/cli/session/recording_launcher.h"

namespace brondel::cli::session {

bool RecordingLauncher::start(const std::string& program,
                              const std::vector<std::string>& arguments) {
    transcript_.write({{"event", "launch"}, {"program", program}, {"arguments", arguments}});
    return true;
}

bool RecordingLauncher::openDocument(const std::string& path) {
    return start(path, {});
}

}  // namespace brondel::cli::session
