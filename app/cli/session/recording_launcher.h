#pragma once

#include "app/cli/session/transcript.h"
#include "ports/launcher.h"

// A scripted session starts nothing: it records what the program asked to
// start and answers that it started.
namespace brondel::cli::session {

class RecordingLauncher : public ports::Launcher {
  public:
    explicit RecordingLauncher(Transcript& transcript) : transcript_(transcript) {}
    bool start(const std::string& program, const std::vector<std::string>& arguments) override;
    // Opening a document is recorded as launching the document itself.
    bool openDocument(const std::string& path) override;

  private:
    Transcript& transcript_;
};

}  // namespace brondel::cli::session
