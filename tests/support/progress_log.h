#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shell/progress.h"

namespace brondel::testing {

// Every state a progress model signals, in order.
class ProgressLog {
  public:
    explicit ProgressLog(shell::Progress& progress)
        : progress_(progress),
          connection_(progress.changed.scoped([this] { states.push_back(progress_.state()); })) {}

    // The states signalled while task was shown.
    std::vector<shell::Progress::State> of(const std::string& task) const {
        std::vector<shell::Progress::State> found;
        for (const auto& s : states) {
            if (s.active && s.task == task) {
                found.push_back(s);
            }
        }
        return found;
    }

    // While a task is shown its count never falls; the last state signalled
    // is the end of all work.
    void expectWellFormed() const {
        ASSERT_FALSE(states.empty());
        for (std::size_t i = 1; i < states.size(); ++i) {
            const auto& a = states[i - 1];
            const auto& b = states[i];
            const bool sameShowing = a.active && b.active && a.task == b.task && a.total == b.total;
            if (sameShowing) {
                EXPECT_GE(b.done, a.done) << b.task << " at " << i;
            }
        }
        EXPECT_FALSE(states.back().active);
    }

    std::vector<shell::Progress::State> states;

  private:
    shell::Progress& progress_;
    shell::ChangeSignal::Connection connection_;
};

}  // namespace brondel::testing
