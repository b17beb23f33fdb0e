#include "engine/handle_set.h"

namespace brondel::engine {

std::size_t HandleSet::home(Handle h) const {
    return std::size_t((std::uint64_t(std::uint32_t(h)) * 0x9e3779b97f4a7c15ULL) >> shift_);
}

std::size_t HandleSet::find(Handle h) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = home(h);
    while (slots_[i] != kFree && slots_[i] != h) {
        i = (i + 1) & mask;
    }
    return i;
}

bool HandleSet::contains(Handle h) const {
    if (h == kFree) {
        return hasEmptyMarker_;
    }
    return !slots_.empty() && slots_[find(h)] == h;
}

bool HandleSet::insert(Handle h) {
    if (h == kFree) {
        const bool added = !hasEmptyMarker_;
        hasEmptyMarker_ = true;
        return added;
    }
    if (2 * (size_ + 1) > slots_.size()) {
        rehash(slots_.empty() ? 16 : 2 * slots_.size());
    }
    const std::size_t i = find(h);
    if (slots_[i] == h) {
        return false;
    }
    slots_[i] = h;
    ++size_;
    return true;
}

bool HandleSet::erase(Handle h) {
    if (h == kFree) {
        const bool had = hasEmptyMarker_;
        hasEmptyMarker_ = false;
        return had;
    }
    if (slots_.empty()) {
        return false;
    }
    std::size_t i = find(h);
    if (slots_[i] != h) {
        return false;
    }
    // Later entries of the probe run move back into the gap unless their
    // home lies cyclically after it, so every entry stays reachable.
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t j = (i + 1) & mask; slots_[j] != kFree; j = (j + 1) & mask) {
        const std::size_t k = home(slots_[j]);
        const bool stays = i <= j ? (i < k && k <= j) : (i < k || k <= j);
        if (!stays) {
            slots_[i] = slots_[j];
            i = j;
        }
    }
    slots_[i] = kFree;
    --size_;
    return true;
}

void HandleSet::clear() {
    slots_ = {};
    size_ = 0;
    shift_ = 64;
    hasEmptyMarker_ = false;
}

void HandleSet::reserve(std::size_t count) {
    std::size_t slots = 16;
    while (slots < 2 * count) {
        slots *= 2;
    }
    if (slots > slots_.size()) {
        rehash(slots);
    }
}

void HandleSet::rehash(std::size_t slots) {
    std::vector<Handle> old(slots, kFree);
    old.swap(slots_);
    shift_ = 64;
    for (std::size_t s = slots; s > 1; s /= 2) {
        --shift_;
    }
    for (Handle h : old) {
        if (h != kFree) {
            slots_[find(h)] = h;
        }
    }
}

}  // namespace brondel::engine
