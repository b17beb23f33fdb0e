#pragma once

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace brondel::shell {

// A list of callbacks run when a model object changes, so a skin can follow
// it without polling. Listeners may come and go while it runs, and a scoped
// connection may outlive the signal (a window's widgets can go after its
// model has).
class ChangeSignal {
    using Slots = std::map<int, std::function<void()>>;

  public:
    // Disconnects when destroyed; does nothing once the signal has gone.
    class Connection {
      public:
        Connection() = default;
        Connection(std::weak_ptr<Slots> slots, int id) : slots_(std::move(slots)), id_(id) {}
        Connection(Connection&& other) noexcept
            : slots_(std::move(other.slots_)), id_(std::exchange(other.id_, 0)) {}
        Connection& operator=(Connection&& other) noexcept {
            disconnect();
            slots_ = std::move(other.slots_);
            id_ = std::exchange(other.id_, 0);
            return *this;
        }
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;
        ~Connection() { disconnect(); }

        void disconnect() {
            if (auto slots = slots_.lock()) {
                slots->erase(id_);
            }
            slots_.reset();
        }

      private:
        std::weak_ptr<Slots> slots_;
        int id_ = 0;
    };

    ChangeSignal() = default;
    // A copy of a model object starts without listeners.
    ChangeSignal(const ChangeSignal&) : ChangeSignal() {}
    ChangeSignal& operator=(const ChangeSignal&) { return *this; }

    int connect(std::function<void()> f) {
        (*slots_)[next_] = std::move(f);
        return next_++;
    }
    [[nodiscard]] Connection scoped(std::function<void()> f) {
        return Connection(slots_, connect(std::move(f)));
    }
    void disconnect(int id) { slots_->erase(id); }

    void emit() const {
        std::vector<int> ids;
        ids.reserve(slots_->size());
        for (const auto& [id, f] : *slots_) {
            ids.push_back(id);
        }
        const std::shared_ptr<Slots> keep = slots_;  // a listener may destroy the signal's owner
        for (int id : ids) {
            auto it = keep->find(id);
            if (it != keep->end()) {
                auto f = it->second;
                f();
            }
        }
    }

  private:
    std::shared_ptr<Slots> slots_ = std::make_shared<Slots>();
    int next_ = 1;
};

}  // namespace brondel::shell
