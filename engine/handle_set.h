#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "engine/entity.h"

namespace brondel::engine {

// A set of handles in one flat table (open addressing, linear probing), for
// selections of up to millions of entities: no node per handle to allocate
// and free, and a quarter of the memory of a node-based set.
class HandleSet {
  public:
    bool contains(Handle h) const;
    bool insert(Handle h);  // false when it was there already
    bool erase(Handle h);   // false when it was not there
    void clear();           // frees the table
    void reserve(std::size_t count);
    std::size_t size() const { return size_ + (hasEmptyMarker_ ? 1 : 0); }
    bool empty() const { return size() == 0; }

  private:
    // The one handle value that marks a free slot; held aside if given.
    static constexpr Handle kFree = std::numeric_limits<Handle>::min();

    std::size_t home(Handle h) const;
    std::size_t find(Handle h) const;  // its slot, or the free slot it would take
    void rehash(std::size_t slots);

    std::vector<Handle> slots_;  // empty, or a power of two, at most half full
    std::size_t size_ = 0;
    int shift_ = 64;
    bool hasEmptyMarker_ = false;
};

}  // namespace brondel::engine
