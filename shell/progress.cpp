#include "shell/progress.h"

#include <algorithm>
#include <utility>

namespace brondel::shell {

void Progress::begin(std::string task, std::int64_t total) {
    restore({std::move(task), 0, total, true});
}

void Progress::restore(State state) {
    state_ = std::move(state);
    signal();
}

// The next signal comes a visible step on, or at the end, so a bar that
// fills completely is seen full.
void Progress::signal() {
    const std::int64_t done = state_.done;
    const std::int64_t total = state_.total;
    const std::int64_t stride =
        total > 0 ? std::max<std::int64_t>(1, total / kVisibleSteps) : kUnknownTotalStride;
    signalledDone_ = done;
    nextSignal_ = done < total ? std::min(done + stride, total) : done + stride;
    changed.emit();
}

}  // namespace brondel::shell
