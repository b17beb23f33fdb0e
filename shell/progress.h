#pragma once

#include <cstdint>
#include <string>

#include "shell/change_signal.h"

namespace brondel::shell {

// What long work is doing and how far it has got, for a progress bar. Work
// may report every item it does: listeners hear only of changes a bar would
// show, so a million reports cost a few hundred signals.
class Progress {
  public:
    struct State {
        std::string task;  // what is being done, e.g. "Opening drawing"
        std::int64_t done = 0;
        std::int64_t total = 0;  // 0 when not known
        bool active = false;
    };
    // A bar with a known total moves in this many steps.
    static constexpr std::int64_t kVisibleSteps = 200;
    // Items between signals while the total is not known.
    static constexpr std::int64_t kUnknownTotalStride = 1000;

    const State& state() const { return state_; }
    bool active() const { return state_.active; }
    const std::string& task() const { return state_.task; }
    std::int64_t done() const { return state_.done; }
    std::int64_t total() const { return state_.total; }

    void begin(std::string task, std::int64_t total);
    void report(std::int64_t done, std::int64_t total) {
        state_.done = done;
        if (total != state_.total || done >= nextSignal_ || done < signalledDone_) {
            state_.total = total;
            signal();
        }
    }
    // Shows state as it is given (the end of work, or the work it was nested in).
    void restore(State state);

    ChangeSignal changed;

  private:
    void signal();

    State state_;
    std::int64_t signalledDone_ = 0;
    std::int64_t nextSignal_ = 0;
};

}  // namespace brondel::shell
