#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "shell/main_window.h"

namespace brondel::shell {

// Shows long work in the main window's progress for as long as it lives, and
// lets the message loop run as the work goes on. Every way out (the end, an
// early return, a failure) gives back what was shown before, so work nested
// in other work hands the bar back to it.
class ProgressScope {
  public:
    ProgressScope(MainWindow& main, std::string task, std::int64_t total = 0)
        : progress_(main.progress), pump_(main.ports.pump), outer_(main.progress.state()) {
        progress_.begin(std::move(task), total);
    }
    ~ProgressScope() { progress_.restore(std::move(outer_)); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    // One more item done.
    void step() { advance(progress_.done() + 1, progress_.total()); }
    void advance(std::int64_t done, std::int64_t total) {
        progress_.report(done, total);
        pump_.runOnce();
    }
    // The next stage of the same work, counted from 0.
    void stage(std::string task, std::int64_t total) { progress_.begin(std::move(task), total); }

  private:
    Progress& progress_;
    ports::Pump& pump_;
    Progress::State outer_;
};

}  // namespace brondel::shell
