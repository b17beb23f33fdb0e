#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "engine/geometry.h"

namespace brondel::engine {

// The earlier views Zoom Previous goes back to, newest last; the oldest
// are forgotten past kMostViews.
class ViewHistory {
  public:
    struct Entry {
        Point2 center;
        double scale = 1;
    };
    static constexpr std::size_t kMostViews = 100;

    void push(Entry e) {
        if (entries_.size() == kMostViews) {
            entries_.pop_front();
        }
        entries_.push_back(e);
    }
    std::optional<Entry> pop() {
        if (entries_.empty()) {
            return std::nullopt;
        }
        const Entry e = entries_.back();
        entries_.pop_back();
        return e;
    }
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }

  private:
    std::deque<Entry> entries_;
};

}  // namespace brondel::engine
