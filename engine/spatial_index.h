#pragma once

#include <cstdint>
#include <vector>

#include "engine/entity.h"
#include "engine/geometry.h"

namespace brondel::engine {

// A loose hierarchical grid over entity boxes. Each entry lives on the level
// whose cell size is the smallest power of two at least as large as its box,
// in the cell that holds its box's lower-left corner, so a box query visits a
// few cells per occupied level. A level whose query range would cover more
// cells than it has occupied ones is answered from its list of occupied
// cells instead. Unbounded boxes (rays, construction lines) sit in a list of
// their own that every query visits.
class SpatialIndex {
  public:
    // tag is the owner's: a small value kept with the entry and handed back
    // by queries (the drawing marks line segments with it).
    void insert(Handle h, const Box2& box, std::uint8_t tag = 0);
    // box must be the box the entry was inserted with.
    void remove(Handle h, const Box2& box);
    // Gives the entry the owner's new tag; box as for remove.
    void setTag(Handle h, const Box2& box, std::uint8_t tag);
    struct Item {
        Handle handle;
        Box2 box;
        std::uint8_t tag;
    };
    // Many entries at once. An empty index is built in one pass, its entries
    // laid out cell by cell and the cells in Z order, so a query reads memory
    // that lies together.
    void insertMany(const std::vector<Item>& items);
    void clear();  // keeps the smallest cell size
    std::size_t size() const { return size_; }
    // Boxes smaller than this share cells of this size (rounded up to a power
    // of two). Finer cells would make every query walk many of them; set it
    // to about the typical entity's size while the index is empty.
    void setSmallestCell(double size);

    // Calls visit(handle, box, tag) for every entry whose box meets the query
    // box (boxes are closed). Order is unspecified.
    template <class Visit>
    void query(const Box2& q, Visit&& visit) const {
        for (Handle h : unbounded_) {
            visit(h, Box2{}, std::uint8_t{0});
        }
        for (int level = 0; level < kLevels; ++level) {
            if (levels_[level].count == 0) {
                continue;
            }
            const auto meets = [&](const Entry& e) {
                if (e.box.minX <= q.maxX && e.box.maxX >= q.minX && e.box.minY <= q.maxY &&
                    e.box.maxY >= q.minY) {
                    visit(e.handle, e.box, e.tag);
                }
            };
            std::int32_t heads[kFewCells];
            const int n = fewCellHeads(level, q, heads);
            if (n < 0) {
                queryLevel(level, q, meets);
                continue;
            }
            for (int k = 0; k < n; ++k) {
                for (std::int32_t i = heads[k]; i >= 0; i = entries_[i].next) {
                    meets(entries_[i]);
                }
            }
        }
    }

  private:
    static constexpr int kLevels = 64;
    static constexpr int kLevelOffset = 32;  // level index 32 has cell size 1
    static constexpr int kFewCells = 9;      // a point query's cells on one level

    struct Entry {
        Box2 box;
        Handle handle;
        std::int32_t next;
        std::uint8_t tag;
    };
    struct Cell {
        std::uint64_t key;
        std::int32_t head;
    };
    // A slot holds its cell's first entry as well, so a query reaches the
    // entries without reading the cell.
    struct Slot {
        std::uint64_t key;
        std::int32_t cell;  // -1 = empty slot
        std::int32_t head;  // the cell's head, kept equal to it
    };

    int levelFor(const Box2& box) const;
    static double cellSize(int level);
    static std::int64_t cellCoord(double v, double size);
    std::uint64_t keyOf(int level, const Box2& box) const;
    static std::uint64_t makeKey(int level, std::int64_t ix, std::int64_t iy);

    // Each level has a table of its own, so the few cells of a sparse level
    // stay in cache instead of being spread over one large table.
    struct Level {
        std::vector<Slot> slots;  // open addressing, power-of-two size
        std::vector<std::int32_t> cells;
        std::size_t count = 0;  // entries
    };

    static std::size_t home(const Level& level, std::uint64_t key);
    std::int32_t findSlot(std::uint64_t key) const;  // -1 when the cell is not there
    std::int32_t findCell(std::uint64_t key) const;
    std::int32_t headOf(std::uint64_t key) const;  // -1 when the cell is not there
    std::int32_t findOrAddSlot(std::uint64_t key, int level);
    // The first entries of the occupied cells a small query visits on the
    // level, into heads; -1 when the query spans more than kFewCells cells.
    int fewCellHeads(int level, const Box2& q, std::int32_t* heads) const;
    void grow(Level& level);
    // Puts the slot in the first free place from its home on.
    static void place(Level& level, const Slot& slot);

    template <class F>
    void queryLevel(int level, const Box2& q, F&& f) const {
        const double size = cellSize(level);
        // An entry reaches at most one cell beyond the cell of its lower-left corner.
        const std::int64_t x0 = cellCoord(q.minX, size) - 1, x1 = cellCoord(q.maxX, size);
        const std::int64_t y0 = cellCoord(q.minY, size) - 1, y1 = cellCoord(q.maxY, size);
        const double span = double(x1 - x0 + 1) * double(y1 - y0 + 1);
        auto walk = [&](std::int32_t head) {
            for (std::int32_t i = head; i >= 0; i = entries_[i].next) {
                f(entries_[i]);
            }
        };
        if (span > double(levels_[level].cells.size())) {
            for (std::int32_t c : levels_[level].cells) {
                walk(cells_[c].head);
            }
            return;
        }
        for (std::int64_t ix = x0; ix <= x1; ++ix) {
            for (std::int64_t iy = y0; iy <= y1; ++iy) {
                walk(headOf(makeKey(level, ix, iy)));
            }
        }
    }

    std::vector<Entry> entries_;
    std::vector<std::int32_t> freeEntries_;
    std::vector<Cell> cells_;
    Level levels_[kLevels];
    std::vector<Handle> unbounded_;
    std::size_t size_ = 0;
    int minLevel_ = kLevelOffset - 5;  // cells of 1/32 unit until told otherwise
};

}  // namespace brondel::engine
