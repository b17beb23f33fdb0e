#pragma once

#include <functional>
#include <map>

namespace brondel::shell {

// A list of callbacks run when a model object changes, so a skin can follow
// it without polling.
class ChangeSignal {
  public:
    int connect(std::function<void()> f) {
        slots_[next_] = std::move(f);
        return next_++;
    }
    void disconnect(int id) { slots_.erase(id); }
    void emit() const {
        for (const auto& [id, f] : slots_) {
            f();
        }
    }

  private:
    std::map<int, std::function<void()>> slots_;
    int next_ = 1;
};

}  // namespace brondel::shell
