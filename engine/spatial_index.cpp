#include "engine/spatial_index.h"

#include <algorithm>
#include <cmath>

namespace brondel::engine {

namespace {

constexpr std::int64_t kCoordLimit = (std::int64_t{1} << 27) - 1;
// A cell's key: its level in the top byte, then its 28-bit x and y numbers.
constexpr int kLevelShift = 56;

std::size_t levelOf(std::uint64_t key) {
    return std::size_t(key >> kLevelShift);
}

// About what a cell holds when the smallest cell is a few typical entities wide.
constexpr std::size_t kCellAhead = 12;

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return x;
}

}  // namespace

int SpatialIndex::levelFor(const Box2& box) const {
    const double extent = std::max(box.maxX - box.minX, box.maxY - box.minY);
    int level = minLevel_;
    if (extent > 0) {
        // extent = f * 2^e with f in [0.5, 1): the smallest power of two at
        // least as large is 2^e, or 2^(e-1) when f is exactly one half.
        int e = 0;
        const double f = std::frexp(extent, &e);
        level = std::clamp(e - (f == 0.5 ? 1 : 0) + kLevelOffset, minLevel_, kLevels - 1);
    }
    // Rounding can leave a box's ends two cells apart (a query only looks one
    // cell back), and far from the origin a fine cell's number would be
    // clamped, piling such boxes into one cell: go up until neither happens.
    // Scaling by a power of two is exact, so this is the division a query makes.
    for (; level < kLevels - 1; ++level) {
        const double scale = std::ldexp(1.0, kLevelOffset - level);
        const double fx = std::floor(box.minX * scale), fy = std::floor(box.minY * scale);
        if (std::floor(box.maxX * scale) - fx <= 1 && std::floor(box.maxY * scale) - fy <= 1 &&
            std::abs(fx) < double(kCoordLimit - 2) && std::abs(fy) < double(kCoordLimit - 2)) {
            break;
        }
    }
    return level;
}

void SpatialIndex::setSmallestCell(double size) {
    if (size_ == 0 && size > 0 && std::isfinite(size)) {
        minLevel_ =
            std::clamp(static_cast<int>(std::ceil(std::log2(size))) + kLevelOffset, 0, kLevels - 1);
    }
}

double SpatialIndex::cellSize(int level) {
    return std::ldexp(1.0, level - kLevelOffset);
}

std::int64_t SpatialIndex::cellCoord(double v, double size) {
    const double c = std::floor(v / size);
    if (!(c > -double(kCoordLimit))) {
        return -kCoordLimit;
    }
    if (!(c < double(kCoordLimit))) {
        return kCoordLimit;
    }
    return static_cast<std::int64_t>(c);
}

std::uint64_t SpatialIndex::makeKey(int level, std::int64_t ix, std::int64_t iy) {
    const auto ux = static_cast<std::uint64_t>(ix + kCoordLimit) & ((1ULL << 28) - 1);
    const auto uy = static_cast<std::uint64_t>(iy + kCoordLimit) & ((1ULL << 28) - 1);
    return (std::uint64_t(level) << kLevelShift) | (ux << 28) | uy;
}

std::uint64_t SpatialIndex::keyOf(int level, const Box2& box) const {
    const double size = cellSize(level);
    return makeKey(level, cellCoord(box.minX, size), cellCoord(box.minY, size));
}

std::size_t SpatialIndex::home(const Level& level, std::uint64_t key) {
    return mix(key) & (level.slots.size() - 1);
}

std::int32_t SpatialIndex::findSlot(std::uint64_t key) const {
    const Level& level = levels_[levelOf(key)];
    if (level.slots.empty()) {
        return -1;
    }
    const std::size_t mask = level.slots.size() - 1;
    for (std::size_t i = home(level, key);; i = (i + 1) & mask) {
        const Slot& s = level.slots[i];
        if (s.cell < 0) {
            return -1;
        }
        if (s.key == key) {
            return static_cast<std::int32_t>(i);
        }
    }
}

std::int32_t SpatialIndex::findCell(std::uint64_t key) const {
    const std::int32_t slot = findSlot(key);
    return slot < 0 ? -1 : levels_[levelOf(key)].slots[std::size_t(slot)].cell;
}

std::int32_t SpatialIndex::headOf(std::uint64_t key) const {
    const std::int32_t slot = findSlot(key);
    return slot < 0 ? -1 : levels_[levelOf(key)].slots[std::size_t(slot)].head;
}

int SpatialIndex::fewCellHeads(int level, const Box2& q, std::int32_t* heads) const {
    const double size = cellSize(level);
    // An entry reaches at most one cell beyond the cell of its lower-left corner.
    const std::int64_t x0 = cellCoord(q.minX, size) - 1, x1 = cellCoord(q.maxX, size);
    const std::int64_t y0 = cellCoord(q.minY, size) - 1, y1 = cellCoord(q.maxY, size);
    const double span = double(x1 - x0 + 1) * double(y1 - y0 + 1);
    const Level& l = levels_[level];
    if (span > kFewCells || span > double(l.cells.size())) {
        return -1;
    }
    // Every slot's memory, then every cell's entries, are asked for before
    // any is used, so a random query's cache misses overlap. A cell built in
    // bulk lies in consecutive entries: asked for at once, they need not be
    // waited for one link of the chain at a time.
    std::uint64_t keys[kFewCells];
    int n = 0;
    for (std::int64_t ix = x0; ix <= x1; ++ix) {
        for (std::int64_t iy = y0; iy <= y1; ++iy) {
            keys[n] = makeKey(level, ix, iy);
            __builtin_prefetch(&l.slots[home(l, keys[n])]);
            ++n;
        }
    }
    int found = 0;
    for (int k = 0; k < n; ++k) {
        const std::int32_t head = headOf(keys[k]);
        if (head >= 0) {
            const std::size_t end = std::min(entries_.size(), std::size_t(head) + kCellAhead);
            for (std::size_t i = std::size_t(head); i < end; ++i) {
                __builtin_prefetch(&entries_[i]);
            }
            heads[found++] = head;
        }
    }
    return found;
}

void SpatialIndex::grow(Level& level) {
    std::vector<Slot> old = std::move(level.slots);
    level.slots.assign(std::max<std::size_t>(16, old.size() * 2), Slot{0, -1, -1});
    for (const Slot& s : old) {
        if (s.cell >= 0) {
            place(level, s);
        }
    }
}

void SpatialIndex::place(Level& level, const Slot& slot) {
    const std::size_t mask = level.slots.size() - 1;
    std::size_t i = home(level, slot.key);
    while (level.slots[i].cell >= 0) {
        i = (i + 1) & mask;
    }
    level.slots[i] = slot;
}

std::int32_t SpatialIndex::findOrAddSlot(std::uint64_t key, int level) {
    Level& l = levels_[level];
    if ((l.cells.size() + 1) * 2 > l.slots.size()) {
        grow(l);
    }
    const std::size_t mask = l.slots.size() - 1;
    std::size_t i = home(l, key);
    for (; l.slots[i].cell >= 0; i = (i + 1) & mask) {
        if (l.slots[i].key == key) {
            return static_cast<std::int32_t>(i);
        }
    }
    const auto cell = static_cast<std::int32_t>(cells_.size());
    cells_.push_back({key, -1});
    l.slots[i] = {key, cell, -1};
    l.cells.push_back(cell);
    return static_cast<std::int32_t>(i);
}

void SpatialIndex::insert(Handle h, const Box2& box, std::uint8_t tag) {
    ++size_;
    if (!box.bounded()) {
        unbounded_.push_back(h);
        return;
    }
    const int level = levelFor(box);
    Level& l = levels_[level];
    Slot& slot = l.slots[std::size_t(findOrAddSlot(keyOf(level, box), level))];
    const std::int32_t cell = slot.cell;
    std::int32_t entry;
    if (!freeEntries_.empty()) {
        entry = freeEntries_.back();
        freeEntries_.pop_back();
        entries_[entry] = {box, h, cells_[cell].head, tag};
    } else {
        entry = static_cast<std::int32_t>(entries_.size());
        entries_.push_back({box, h, cells_[cell].head, tag});
    }
    cells_[cell].head = slot.head = entry;
    ++l.count;
}

void SpatialIndex::remove(Handle h, const Box2& box) {
    if (!box.bounded()) {
        auto it = std::find(unbounded_.begin(), unbounded_.end(), h);
        if (it != unbounded_.end()) {
            unbounded_.erase(it);
            --size_;
        }
        return;
    }
    const int level = levelFor(box);
    Level& l = levels_[level];
    const std::int32_t slot = findSlot(keyOf(level, box));
    if (slot < 0) {
        return;
    }
    const std::int32_t cell = l.slots[std::size_t(slot)].cell;
    std::int32_t* link = &cells_[cell].head;
    while (*link >= 0 && entries_[*link].handle != h) {
        link = &entries_[*link].next;
    }
    if (*link < 0) {
        return;
    }
    const std::int32_t entry = *link;
    *link = entries_[entry].next;
    l.slots[std::size_t(slot)].head = cells_[cell].head;
    freeEntries_.push_back(entry);
    --l.count;
    --size_;
}

void SpatialIndex::setTag(Handle h, const Box2& box, std::uint8_t tag) {
    if (!box.bounded()) {
        return;  // unbounded entries keep no tag
    }
    const std::int32_t cell = findCell(keyOf(levelFor(box), box));
    for (std::int32_t i = cell < 0 ? -1 : cells_[cell].head; i >= 0; i = entries_[i].next) {
        if (entries_[i].handle == h) {
            entries_[i].tag = tag;
            return;
        }
    }
}

namespace {

// Spreads the 32 bits of v over the even bits of the result.
std::uint64_t spreadBits(std::uint64_t v) {
    v &= 0xffffffffULL;
    v = (v | (v << 16)) & 0x0000ffff0000ffffULL;
    v = (v | (v << 8)) & 0x00ff00ff00ff00ffULL;
    v = (v | (v << 4)) & 0x0f0f0f0f0f0f0f0fULL;
    v = (v | (v << 2)) & 0x3333333333333333ULL;
    v = (v | (v << 1)) & 0x5555555555555555ULL;
    return v;
}

// The even bits of v, gathered: spreadBits undone.
std::uint64_t gatherBits(std::uint64_t v) {
    v &= 0x5555555555555555ULL;
    v = (v | (v >> 1)) & 0x3333333333333333ULL;
    v = (v | (v >> 2)) & 0x0f0f0f0f0f0f0f0fULL;
    v = (v | (v >> 4)) & 0x00ff00ff00ff00ffULL;
    v = (v | (v >> 8)) & 0x0000ffff0000ffffULL;
    v = (v | (v >> 16)) & 0x00000000ffffffffULL;
    return v;
}

constexpr std::uint64_t kCoordMask = (1ULL << 28) - 1;

// A cell key (level, x, y) laid out for the bulk build: the level first,
// then the cell's x and y, taken from the lowest of all, interleaved (Z
// order), so cells near each other in the drawing lie near each other in
// memory. Keeping only the bits that vary leaves few radix passes.
struct ZOrder {
    std::uint64_t minX = kCoordMask, minY = kCoordMask;
    int bits = 0;  // bits of each offset cell number

    void widen(std::uint64_t key) {
        minX = std::min(minX, (key >> 28) & kCoordMask);
        minY = std::min(minY, key & kCoordMask);
    }
    void fit(const std::vector<std::uint64_t>& keys) {
        std::uint64_t spread = 0;
        for (std::uint64_t key : keys) {
            spread |= (((key >> 28) & kCoordMask) - minX) | ((key & kCoordMask) - minY);
        }
        while (bits < 28 && (spread >> bits) != 0) {
            ++bits;
        }
    }
    std::uint64_t of(std::uint64_t key) const {
        const std::uint64_t x = ((key >> 28) & kCoordMask) - minX, y = (key & kCoordMask) - minY;
        return levelOf(key) << (2 * bits) | spreadBits(x) << 1 | spreadBits(y);
    }
    std::uint64_t keyOf(std::uint64_t z) const {
        const std::uint64_t cell = z & ((1ULL << (2 * bits)) - 1);
        const std::uint64_t x = gatherBits(cell >> 1) + minX, y = gatherBits(cell) + minY;
        return (z >> (2 * bits)) << kLevelShift | x << 28 | y;
    }
    int width() const { return 2 * bits + 6; }  // 64 levels take 6 bits
};

struct Placed {
    std::uint64_t z;
    std::uint32_t item;
};

// Sorts by z, keeping the order of equal ones, in passes of 11 bits over the
// low `width` bits; a pass whose digit is the same throughout is skipped.
void radixSort(std::vector<Placed>& placed, int width) {
    constexpr int kDigit = 11;
    std::vector<Placed> other(placed.size());
    for (int shift = 0; shift < width; shift += kDigit) {
        std::vector<std::size_t> count((1u << kDigit) + 1, 0);
        for (const Placed& p : placed) {
            ++count[((p.z >> shift) & ((1u << kDigit) - 1)) + 1];
        }
        if (std::find(count.begin(), count.end(), placed.size()) != count.end()) {
            continue;
        }
        for (std::size_t d = 1; d < count.size(); ++d) {
            count[d] += count[d - 1];
        }
        for (const Placed& p : placed) {
            other[count[(p.z >> shift) & ((1u << kDigit) - 1)]++] = p;
        }
        placed.swap(other);
    }
}

}  // namespace

void SpatialIndex::insertMany(const std::vector<Item>& items) {
    if (size_ != 0) {
        for (const Item& item : items) {
            insert(item.handle, item.box, item.tag);
        }
        return;
    }
    const int minLevel = minLevel_;
    *this = SpatialIndex();  // drops cells and free entries an emptied index keeps
    minLevel_ = minLevel;
    std::vector<std::uint64_t> keys;
    std::vector<std::uint32_t> boundedItems;
    keys.reserve(items.size());
    boundedItems.reserve(items.size());
    ZOrder order;
    for (std::uint32_t i = 0; i < items.size(); ++i) {
        const Box2& box = items[i].box;
        if (!box.bounded()) {
            unbounded_.push_back(items[i].handle);
            continue;
        }
        keys.push_back(keyOf(levelFor(box), box));
        boundedItems.push_back(i);
        order.widen(keys.back());
    }
    order.fit(keys);
    std::vector<Placed> placed(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        placed[i] = {order.of(keys[i]), boundedItems[i]};
    }
    keys = {};
    boundedItems = {};
    radixSort(placed, order.width());
    // Room for a few more, so the next insert (a marker) does not copy them all.
    entries_.reserve(placed.size() + placed.size() / 64 + 64);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Item& item = items[placed[i].item];
        const bool first = i == 0 || placed[i - 1].z != placed[i].z;
        const bool last = i + 1 == placed.size() || placed[i + 1].z != placed[i].z;
        const std::uint64_t key = order.keyOf(placed[i].z);
        if (first) {
            cells_.push_back({key, static_cast<std::int32_t>(entries_.size())});
        }
        const std::int32_t next = last ? -1 : static_cast<std::int32_t>(entries_.size() + 1);
        entries_.push_back({item.box, item.handle, next, item.tag});
        ++levels_[levelOf(key)].count;
    }
    placed = {};
    for (std::size_t c = 0; c < cells_.size(); ++c) {
        levels_[levelOf(cells_[c].key)].cells.push_back(static_cast<std::int32_t>(c));
    }
    for (Level& l : levels_) {
        if (l.cells.empty()) {
            continue;
        }
        std::size_t slots = 16;
        while ((l.cells.size() + 1) * 2 > slots) {
            slots *= 2;
        }
        l.slots.assign(slots, Slot{0, -1, -1});
        for (std::int32_t c : l.cells) {
            place(l, {cells_[c].key, c, cells_[c].head});
        }
    }
    size_ = items.size();
}

void SpatialIndex::clear() {
    *this = SpatialIndex();
}

}  // namespace brondel::engine
