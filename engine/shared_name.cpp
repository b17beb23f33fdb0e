#include "engine/shared_name.h"

#include <mutex>
#include <unordered_set>

namespace brondel::engine {

namespace {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>()(text);
    }
};

// Names are few and live as long as the process: the pool never shrinks,
// so a name's address stays valid for every thread that holds it.
class NamePool {
  public:
    const std::string* intern(std::string_view text) {
        const std::lock_guard lock(mutex_);
        auto found = names_.find(text);
        if (found == names_.end()) {
            found = names_.emplace(text).first;
        }
        return &*found;
    }

  private:
    std::mutex mutex_;
    std::unordered_set<std::string, TextHash, std::equal_to<>> names_;
};

NamePool& pool() {
    static NamePool* names = new NamePool;  // outlives every static that holds a name
    return *names;
}

}  // namespace

const std::string* SharedName::emptyText() {
    static const std::string* const empty = pool().intern("");
    return empty;
}

const std::string* SharedName::intern(std::string_view text) {
    // Readers name the same layer entity after entity: the last name a
    // thread asked for answers without the lock.
    thread_local const std::string* last = nullptr;
    if (last == nullptr || *last != text) {
        last = pool().intern(text);
    }
    return last;
}

}  // namespace brondel::engine
