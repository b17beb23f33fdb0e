#include "engine/spatial_index.h"

#include <algorithm>
#include <cmath>

namespace brondel::engine {

namespace {

constexpr std::int64_t kCoordLimit = (std::int64_t{1} << 27) - 1;

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return x;
}

bool bounded(const Box2& b) {
    return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) &&
           std::isfinite(b.maxY);
}

}  // namespace

int SpatialIndex::levelFor(const Box2& box) const {
    const double extent = std::max(box.maxX - box.minX, box.maxY - box.minY);
    int level = minLevel_;
    if (extent > 0) {
        level = std::clamp(static_cast<int>(std::ceil(std::log2(extent))) + kLevelOffset, minLevel_,
                           kLevels - 1);
    }
    // Rounding can leave a box's ends two cells apart (a query only looks one
    // cell back), and far from the origin a fine cell's number would be
    // clamped, piling such boxes into one cell: go up until neither happens.
    for (; level < kLevels - 1; ++level) {
        const double size = cellSize(level);
        const double fx = std::floor(box.minX / size), fy = std::floor(box.minY / size);
        if (std::floor(box.maxX / size) - fx <= 1 && std::floor(box.maxY / size) - fy <= 1 &&
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
    return (std::uint64_t(level) << 56) | (ux << 28) | uy;
}

std::int32_t SpatialIndex::findCell(std::uint64_t key) const {
    if (slots_.empty()) {
        return -1;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = mix(key) & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.cell < 0) {
            return -1;
        }
        if (s.key == key) {
            return s.cell;
        }
    }
}

void SpatialIndex::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max<std::size_t>(64, old.size() * 2), Slot{0, -1});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.cell < 0) {
            continue;
        }
        std::size_t i = mix(s.key) & mask;
        while (slots_[i].cell >= 0) {
            i = (i + 1) & mask;
        }
        slots_[i] = s;
    }
}

std::int32_t SpatialIndex::findOrAddCell(std::uint64_t key, int level) {
    if ((cells_.size() + 1) * 2 > slots_.size()) {
        grow();
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = mix(key) & mask;
    for (; slots_[i].cell >= 0; i = (i + 1) & mask) {
        if (slots_[i].key == key) {
            return slots_[i].cell;
        }
    }
    const auto cell = static_cast<std::int32_t>(cells_.size());
    cells_.push_back({key, -1});
    slots_[i] = {key, cell};
    levelCells_[level].push_back(cell);
    return cell;
}

void SpatialIndex::insert(Handle h, const Box2& box, std::uint8_t tag) {
    ++size_;
    if (!bounded(box)) {
        unbounded_.push_back(h);
        return;
    }
    const int level = levelFor(box);
    const double size = cellSize(level);
    const std::int32_t cell =
        findOrAddCell(makeKey(level, cellCoord(box.minX, size), cellCoord(box.minY, size)), level);
    std::int32_t entry;
    if (!freeEntries_.empty()) {
        entry = freeEntries_.back();
        freeEntries_.pop_back();
        entries_[entry] = {box, h, cells_[cell].head, tag};
    } else {
        entry = static_cast<std::int32_t>(entries_.size());
        entries_.push_back({box, h, cells_[cell].head, tag});
    }
    cells_[cell].head = entry;
    ++levelCount_[level];
}

void SpatialIndex::remove(Handle h, const Box2& box) {
    if (!bounded(box)) {
        auto it = std::find(unbounded_.begin(), unbounded_.end(), h);
        if (it != unbounded_.end()) {
            unbounded_.erase(it);
            --size_;
        }
        return;
    }
    const int level = levelFor(box);
    const double size = cellSize(level);
    const std::int32_t cell =
        findCell(makeKey(level, cellCoord(box.minX, size), cellCoord(box.minY, size)));
    if (cell < 0) {
        return;
    }
    std::int32_t* link = &cells_[cell].head;
    while (*link >= 0 && entries_[*link].handle != h) {
        link = &entries_[*link].next;
    }
    if (*link < 0) {
        return;
    }
    const std::int32_t entry = *link;
    *link = entries_[entry].next;
    freeEntries_.push_back(entry);
    --levelCount_[level];
    --size_;
}

namespace {

// Interleaves the bits of the two 28-bit cell numbers of a key (Z order).
std::uint64_t zOrder(std::uint64_t key) {
    std::uint64_t z = 0;
    const std::uint64_t ux = (key >> 28) & ((1ULL << 28) - 1), uy = key & ((1ULL << 28) - 1);
    for (int bit = 0; bit < 28; ++bit) {
        z |= ((ux >> bit) & 1ULL) << (2 * bit + 1);
        z |= ((uy >> bit) & 1ULL) << (2 * bit);
    }
    return (key >> 56) << 56 | z;
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
    struct Placed {
        std::uint64_t z, key;
        std::uint32_t item;
    };
    std::vector<Placed> placed;
    placed.reserve(items.size());
    for (std::uint32_t i = 0; i < items.size(); ++i) {
        const Box2& box = items[i].box;
        if (!bounded(box)) {
            unbounded_.push_back(items[i].handle);
            continue;
        }
        const int level = levelFor(box);
        const double size = cellSize(level);
        const std::uint64_t key =
            makeKey(level, cellCoord(box.minX, size), cellCoord(box.minY, size));
        placed.push_back({zOrder(key), key, i});
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.z != b.z ? a.z < b.z : a.item < b.item;
    });
    // Room for a few more, so the next insert (a marker) does not copy them all.
    entries_.reserve(placed.size() + placed.size() / 64 + 64);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Item& item = items[placed[i].item];
        const bool first = i == 0 || placed[i - 1].key != placed[i].key;
        const bool last = i + 1 == placed.size() || placed[i + 1].key != placed[i].key;
        if (first) {
            cells_.push_back({placed[i].key, static_cast<std::int32_t>(entries_.size())});
        }
        const std::int32_t next = last ? -1 : static_cast<std::int32_t>(entries_.size() + 1);
        entries_.push_back({item.box, item.handle, next, item.tag});
        ++levelCount_[placed[i].key >> 56];
    }
    std::size_t slots = 64;
    while ((cells_.size() + 1) * 2 > slots) {
        slots *= 2;
    }
    slots_.assign(slots, Slot{0, -1});
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t c = 0; c < cells_.size(); ++c) {
        std::size_t i = mix(cells_[c].key) & mask;
        while (slots_[i].cell >= 0) {
            i = (i + 1) & mask;
        }
        slots_[i] = {cells_[c].key, static_cast<std::int32_t>(c)};
        levelCells_[cells_[c].key >> 56].push_back(static_cast<std::int32_t>(c));
    }
    size_ = items.size();
}

void SpatialIndex::clear() {
    *this = SpatialIndex();
}

}  // namespace brondel::engine
