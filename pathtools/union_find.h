#pragma once

#include <algorithm>
#include <numeric>
#include <vector>

namespace brondel::pathtools {

// Sets of 0..n-1 joined pair by pair; each set is named by its smallest member.
class UnionFind {
  public:
    explicit UnionFind(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
    int find(int i) {
        while (parent_[std::size_t(i)] != i) {
            parent_[std::size_t(i)] = parent_[std::size_t(parent_[std::size_t(i)])];
            i = parent_[std::size_t(i)];
        }
        return i;
    }
    void join(int a, int b) {
        a = find(a);
        b = find(b);
        if (a != b) {
            parent_[std::size_t(std::max(a, b))] = std::min(a, b);
        }
    }

  private:
    std::vector<int> parent_;
};

}  // namespace brondel::pathtools
