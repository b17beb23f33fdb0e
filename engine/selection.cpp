#include "engine/selection.h"

#include <algorithm>

namespace brondel::engine {

bool Selection::contains(Handle h) const {
    if (order_.size() < kSetFrom) {
        return std::find(order_.begin(), order_.end(), h) != order_.end();
    }
    return set_.contains(h);
}

bool Selection::add(Handle h) {
    if (contains(h)) {
        return false;
    }
    order_.push_back(h);
    if (order_.size() == kSetFrom) {
        rebuildSet();
    } else if (order_.size() > kSetFrom) {
        set_.insert(h);
    }
    return true;
}

bool Selection::remove(Handle h) {
    auto it = std::find(order_.begin(), order_.end(), h);
    if (it == order_.end()) {
        return false;
    }
    order_.erase(it);
    set_.erase(h);
    if (order_.size() < kSetFrom) {
        set_.clear();
    }
    return true;
}

void Selection::clear() {
    order_.clear();
    set_.clear();
}

void Selection::removeIf(const std::function<bool(Handle)>& gone) {
    std::erase_if(order_, gone);
    rebuildSet();
}

void Selection::rebuildSet() {
    set_.clear();
    if (order_.size() >= kSetFrom) {
        set_.reserve(order_.size());
        for (Handle h : order_) {
            set_.insert(h);
        }
    }
}

}  // namespace brondel::engine
