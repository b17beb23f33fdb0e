#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "app/cli/session/recording_launcher.h"
#include "app/cli/session/script.h"
#include "app/cli/session/scripted_dialogs.h"
#include "app/cli/session/transcript.h"
#include "ports/linux_registry.h"
#include "ports/pdf_printer.h"
#include "ports/pump.h"
#include "shell/main_window.h"

// One run of the program driven by script commands, the way a user would
// drive it: only what the user could reach is done, the rest is refused.
namespace brondel::cli::session {

class Session {
  public:
    // scriptFolder: where relative paths of the script lead.
    Session(Transcript& transcript, std::filesystem::path scriptFolder, std::string appFolder,
            std::ostream& dumpOut);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Splash and main window load, as the program starts.
    void start();
    // Runs one command; dialogs it meets are answered from the queues.
    void run(const Command& command);

    const ScriptedDialogs& dialogs() const { return dialogs_; }

  private:
    void refuse(const Command& command, const std::string& reason);
    // Why the user could not reach the item, or "" when they could.
    std::string menuBlocker(const std::string& name) const;
    std::string toolbarBlocker(int toolbar, int position) const;
    // The drawing window a mouse or key command goes to, or null after a refusal.
    documents::DrawingWindow* target(const Command& command);
    std::string resolve(const std::string& path) const;
    void dump(const Command& command);
    void forwardNotices();

    Transcript& transcript_;
    std::filesystem::path scriptFolder_;
    std::ostream& dumpOut_;
    ScriptedDialogs dialogs_;
    RecordingLauncher launcher_;
    ports::Pump pump_;
    ports::LinuxRegistry registry_;
    ports::PdfPrinter printer_;
    std::unique_ptr<shell::MainWindow> main_;
    std::size_t noticesSeen_ = 0;
};

}  // namespace brondel::cli::session
