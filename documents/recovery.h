#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <map>

namespace brondel::shell {
class MainWindow;
}

// Recovery files: what a drawing held when the program last wrote it for
// safety, kept until the window closes cleanly, offered back at the next
// start when the program went down without closing it.
namespace brondel::documents {

class DrawingWindow;

inline constexpr const char* kRecoveryTitle = "Recover Drawing";

// $XDG_STATE_HOME/brondel/recovery, or ~/.local/state/brondel/recovery.
std::filesystem::path recoveryFolder();

// Every CadGetAutosaveMinutes() minutes (0 = never) each drawing that
// changed since it was last written goes to its recovery file: VEC (which
// loses nothing), written atomically, with a line of text beside it naming
// the drawing. Only the copy of the drawing is made on the caller's thread;
// encoding and writing run beside the user's work.
class Autosave {
  public:
    using Clock = std::chrono::steady_clock;
    explicit Autosave(shell::MainWindow& main) : main_(main) {}
    ~Autosave();
    Autosave(const Autosave&) = delete;
    Autosave& operator=(const Autosave&) = delete;

    // Called now and then; writes once the interval has passed since the
    // first call or the last write. Failures are skipped: the next tick
    // tries again.
    void tick(Clock::time_point now);
    // Starts writing every changed drawing not written in its present state
    // (one whose previous write is still running waits for the next call).
    void writeChanged();
    // Waits for the writes under way.
    void finish();

  private:
    struct Write {
        std::uint64_t version;
        std::shared_future<bool> done;  // true when written
    };
    void settle(bool wait);

    shell::MainWindow& main_;
    Clock::time_point last_{};
    bool started_ = false;
    std::map<int, std::uint64_t> written_;  // window serial -> drawing version written
    std::map<int, Write> running_;          // window serial -> write under way
};

// A window that closes cleanly takes its recovery file with it, once a
// write of it under way has ended.
void dropRecovery(const DrawingWindow& window);

// Offers every recovery file left by a program no longer running whose
// drawing is older than it (or does not exist): Yes opens it in a new
// window under the drawing's own name, changed; No discards it; Cancel
// keeps it for the next start.
void offerRecovery(shell::MainWindow& main);

}  // namespace brondel::documents
