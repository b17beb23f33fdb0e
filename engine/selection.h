#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "engine/entity.h"
#include "engine/handle_set.h"

namespace brondel::engine {

// The entities a control has selected, in the order they were selected.
// Small selections (the usual case: a few entities near a point) are
// searched directly; a set is kept only once a selection grows large.
class Selection {
  public:
    const std::vector<Handle>& order() const { return order_; }
    std::size_t size() const { return order_.size(); }
    bool empty() const { return order_.empty(); }
    bool contains(Handle h) const;
    bool add(Handle h);  // false when it was there already
    bool remove(Handle h);
    void clear();
    void removeIf(const std::function<bool(Handle)>& gone);

  private:
    static constexpr std::size_t kSetFrom = 32;
    void rebuildSet();

    std::vector<Handle> order_;
    HandleSet set_;  // mirrors order_ once it has kSetFrom entries
};

}  // namespace brondel::engine
