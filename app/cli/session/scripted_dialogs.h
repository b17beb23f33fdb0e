#pragma once

#include <deque>
#include <optional>
#include <string>

#include "app/cli/session/transcript.h"
#include "ports/dialogs.h"

// Dialogs answered from the script: each kind takes its answers in the order
// the script queued them, and every dialog shown goes into the transcript.
namespace brondel::cli::session {

// Thrown through the program's handlers when a dialog cannot be answered.
// Deliberately no std::exception, so a handler's own error trap for engine
// failures does not take it for one of them.
struct DialogUnanswered {
    std::string message;
};

class ScriptedDialogs : public ports::Dialogs {
  public:
    explicit ScriptedDialogs(Transcript& transcript) : transcript_(transcript) {}

    void queueAnswer(ports::Answer answer) { answers_.push_back(answer); }
    void queueInput(std::string text) { inputs_.push_back(std::move(text)); }
    // nullopt cancels the dialog. A type picks the save dialog's file type
    // (1-based, as filterIndex); without one the dialog's own stays.
    void queueFile(std::optional<std::string> path, std::optional<int> type = std::nullopt) {
        files_.push_back({std::move(path), type});
    }

    // Why the session must stop, when a dialog went unanswered (also when a
    // handler caught the DialogUnanswered thrown at it).
    const std::optional<std::string>& failure() const { return failure_; }
    // Descriptions of the answers nobody asked for.
    std::vector<std::string> unused() const;

    ports::Answer messageBox(const std::string& text, ports::Buttons buttons, ports::Icon icon,
                             const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string openFile(const ports::FileDialogSetup& setup) override;
    std::string saveFile(const ports::FileDialogSetup& setup) override;
    ports::SaveAnswer saveFileWithType(const ports::FileDialogSetup& setup) override;

  private:
    struct FileAnswer {
        std::optional<std::string> path;
        std::optional<int> type;
    };
    ports::SaveAnswer fileDialog(const char* kind, const ports::FileDialogSetup& setup);
    [[noreturn]] void fail(std::string message);

    Transcript& transcript_;
    std::deque<ports::Answer> answers_;
    std::deque<std::string> inputs_;
    std::deque<FileAnswer> files_;
    std::optional<std::string> failure_;
};

const char* answerName(ports::Answer answer);

}  // namespace brondel::cli::session
