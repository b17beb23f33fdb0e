#include "engine/drawing.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cctype>
#include <cmath>
#include <iterator>
#include <span>
#include <utility>

#include "base/error.h"
#include "engine/box_crossing.h"
#include "engine/handle_registry.h"

namespace brondel::engine {

namespace {

std::uint64_t newVersion() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// The spatial index's smallest cell: a few times the median entity size
// (from a sample), so a small query reads a handful of well-filled cells.
double typicalSize(std::span<const Entity> entities, const BlockLookup& blocks) {
    constexpr std::size_t kSample = 4096;
    std::vector<double> sizes;
    const std::size_t step = std::max<std::size_t>(1, entities.size() / kSample);
    for (std::size_t i = 0; i < entities.size(); i += step) {
        const Box2 b = boundingBox(entities[i], blocks);
        const double size = std::max(b.width(), b.height());
        if (size > 0 && std::isfinite(size)) {
            sizes.push_back(size);
        }
    }
    if (sizes.empty()) {
        return 0;
    }
    auto middle = sizes.begin() + std::ptrdiff_t(sizes.size() / 2);
    std::nth_element(sizes.begin(), middle, sizes.end());
    return 8 * *middle;
}

}  // namespace

Drawing::Drawing() : version_(newVersion()), savedVersion_(version_) {
    layers_.push_back(Layer{"0"});
}

Drawing::~Drawing() {
    handles::releaseChunks(this);
}

// ---------------------------------------------------------------- lookup

std::uint32_t Drawing::lookupValue(Handle h) const {
    if (h <= 0) {
        return kAbsent;
    }
    const std::size_t chunk = std::size_t(h) / handles::kChunkSize;
    if (chunk >= localChunk_.size() || localChunk_[chunk] < 0) {
        return kAbsent;
    }
    const std::size_t slot = std::size_t(localChunk_[chunk]) * handles::kChunkSize +
                             std::size_t(h) % handles::kChunkSize;
    return slot < positions_.size() ? positions_[slot] : kAbsent;
}

std::uint32_t& Drawing::lookupSlot(Handle h) {
    const std::size_t chunk = std::size_t(h) / handles::kChunkSize;
    assert(chunk < localChunk_.size() && localChunk_[chunk] >= 0);
    return positions_[std::size_t(localChunk_[chunk]) * handles::kChunkSize +
                      std::size_t(h) % handles::kChunkSize];
}

std::size_t Drawing::positionOf(Handle h) const {
    const std::uint32_t p = lookupValue(h);
    return p == kAbsent ? std::size_t(-1) : std::size_t(p);
}

Handle Drawing::nextHandle() {
    if (nextFree_ == chunkEnd_) {
        nextFree_ = handles::allocateChunk(this);
        chunkEnd_ = nextFree_ + handles::kChunkSize;
        const std::size_t chunk = std::size_t(nextFree_) / handles::kChunkSize;
        if (localChunk_.size() <= chunk) {
            localChunk_.resize(chunk + 1, -1);
        }
        localChunk_[chunk] = static_cast<std::int32_t>(positions_.size() / handles::kChunkSize);
        positions_.resize(positions_.size() + handles::kChunkSize, kAbsent);
        if (nextFree_ == 0) {
            ++nextFree_;  // handle 0 means none
        }
    }
    return nextFree_++;
}

void Drawing::rebuildLookup() {
    std::fill(positions_.begin(), positions_.end(), kAbsent);
    for (std::size_t i = 0; i < entities_.size(); ++i) {
        lookupSlot(entities_[i].handle) = static_cast<std::uint32_t>(i);
    }
}

const Entity* Drawing::find(Handle h) const {
    const std::size_t p = positionOf(h);
    return p == std::size_t(-1) ? nullptr : &entities_[p];
}

const Entity& Drawing::entity(Handle h) const {
    const Entity* e = find(h);
    if (!e) {
        throw Error(err::kNoSuchEntity);
    }
    return *e;
}

Handle Drawing::firstLive() const {
    for (const Entity& e : entities_) {
        if (!e.erased) {
            return e.handle;
        }
    }
    return kNoHandle;
}

Handle Drawing::nextLive(Handle h) const {
    const std::size_t p = positionOf(h);
    if (p == std::size_t(-1)) {
        throw Error(err::kNoSuchEntity);
    }
    for (std::size_t i = p + 1; i < entities_.size(); ++i) {
        if (!entities_[i].erased) {
            return entities_[i].handle;
        }
    }
    return kNoHandle;
}

const Layer* Drawing::findLayer(const std::string& name) const {
    for (const Layer& l : layers_) {
        if (l.name == name) {
            return &l;
        }
    }
    return nullptr;
}

const Block* Drawing::findBlock(const std::string& name) const {
    auto it = blocks_.find(name);
    return it == blocks_.end() ? nullptr : &it->second;
}

const DimStyle* Drawing::findDimStyle(const std::string& name) const {
    return namesDimStyle(header_.dimStyle, name) ? &header_.dimStyle : nullptr;
}

// ---------------------------------------------------------------- index

namespace {

// A line is known from its box and which corners its ends lie in, so the
// index can answer distances to lines without reading the entity. Tag bit 0:
// the first point has the smaller x; bit 1: it has the smaller y; bit 2: the
// entry is a line.
constexpr std::uint8_t kLineTag = 4;

std::uint8_t lineTag(const Entity& e) {
    const auto* g = geomIf<LineGeom>(e);
    if (!g) {
        return 0;
    }
    return std::uint8_t(kLineTag | (g->p1.x <= g->p2.x ? 1 : 0) | (g->p1.y <= g->p2.y ? 2 : 0));
}

struct LineEnds {
    Point2 first, second;
};

LineEnds lineEnds(const Box2& b, std::uint8_t tag) {
    return {{tag & 1 ? b.minX : b.maxX, tag & 2 ? b.minY : b.maxY},
            {tag & 1 ? b.maxX : b.minX, tag & 2 ? b.maxY : b.minY}};
}

double lineDistance(const Box2& b, std::uint8_t tag, double x, double y) {
    const LineEnds l = lineEnds(b, tag);
    return distanceToSegment(x, y, l.first.x, l.first.y, l.second.x, l.second.y);
}

}  // namespace

void Drawing::indexInsert(const Entity& e) {
    if (!e.erased) {
        index_.insert(e.handle, boundingBox(e, *this), lineTag(e));
    }
}

void Drawing::indexRemove(const Entity& e) {
    if (!e.erased) {
        index_.remove(e.handle, boundingBox(e, *this));
    }
}

// Entities appended from position from on: one bulk build when the index is
// empty (its cell size fitted to them, as a load does), else entry by entry.
void Drawing::indexAppended(std::size_t from) const {
    const std::span<const Entity> added(entities_.begin() + std::ptrdiff_t(from), entities_.end());
    if (index_.size() == 0) {
        index_.setSmallestCell(typicalSize(added, *this));
    }
    std::vector<SpatialIndex::Item> items;
    items.reserve(added.size());
    for (const Entity& e : added) {
        if (!e.erased) {
            items.push_back({e.handle, boundingBox(e, *this), lineTag(e)});
        }
    }
    index_.insertMany(items);
}

void Drawing::settleIndex() const {
    if (unindexed_ > 0) {
        indexAppended(entities_.size() - std::exchange(unindexed_, 0));
    }
}

template <class Found>
void Drawing::visitWithin(double x, double y, double distance, Found&& found) const {
    if (!(distance >= 0)) {
        return;
    }
    settleIndex();
    const Box2 q{x - distance, y - distance, x + distance, y + distance};
    index_.query(q, [&](Handle h, const Box2& box, std::uint8_t tag) {
        if (tag & kLineTag) {
            if (lineDistance(box, tag, x, y) <= distance) {
                found(h, box, tag);
            }
            return;
        }
        const Entity* e = find(h);
        if (e && distanceTo(*e, x, y, *this) <= distance) {
            found(h, box, tag);
        }
    });
}

std::vector<Handle> Drawing::within(double x, double y, double distance) const {
    std::vector<Handle> found;
    // A walk's query finds a few entities: one allocation instead of three.
    found.reserve(8);
    visitWithin(x, y, distance, [&](Handle h, const Box2&, std::uint8_t) { found.push_back(h); });
    std::sort(found.begin(), found.end());  // handle order is drawing order
    return found;
}

void Drawing::within(double x, double y, double distance, std::vector<Nearby>& found) const {
    found.clear();
    visitWithin(x, y, distance, [&](Handle h, const Box2& b, std::uint8_t tag) {
        if (!(tag & kLineTag)) {
            found.push_back({h, false, {}, {}});
            return;
        }
        const LineEnds l = lineEnds(b, tag);
        found.push_back({h, true, l.first, l.second});
    });
    std::sort(found.begin(), found.end(),
              [](const Nearby& a, const Nearby& b) { return a.handle < b.handle; });
}

std::vector<Handle> Drawing::inBox(const Box2& box, bool crossing) const {
    std::vector<Handle> found;
    if (box.empty()) {
        return found;
    }
    settleIndex();
    index_.query(box, [&](Handle h, const Box2& b, std::uint8_t tag) {
        const bool wholly = !b.empty() && b.minX >= box.minX && b.maxX <= box.maxX &&
                            b.minY >= box.minY && b.maxY <= box.maxY;
        if (wholly) {
            found.push_back(h);
            return;
        }
        if (!crossing) {
            return;
        }
        if (tag & kLineTag) {
            const LineEnds l = lineEnds(b, tag);
            if (segmentMeetsBox(l.first, l.second, box)) {
                found.push_back(h);
            }
            return;
        }
        const Entity* e = find(h);
        if (e && meetsBox(*e, box, *this)) {
            found.push_back(h);
        }
    });
    std::sort(found.begin(), found.end());
    return found;
}

Box2 Drawing::extents() const {
    Box2 box;
    for (const Entity& e : entities_) {
        if (!e.erased) {
            box.addBounded(boundingBox(e, *this));
        }
    }
    return box;
}

// ---------------------------------------------------------------- changes

Handle Drawing::add(Entity e) {
    e.handle = nextHandle();
    e.erased = false;
    const Handle h = e.handle;
    record(OpAdd{h, std::make_unique<Entity>(std::move(e))});
    return h;
}

Handle Drawing::addMany(std::vector<Entity> entities) {
    if (entities.empty()) {
        return kNoHandle;
    }
    for (Entity& e : entities) {
        e.handle = nextHandle();
        e.erased = false;
    }
    const Handle first = entities.front().handle;
    const std::size_t count = entities.size();
    record(OpAppend{count, std::make_unique<std::vector<Entity>>(std::move(entities))});
    return first;
}

void Drawing::setErased(Handle h, bool erased) {
    const Entity& e = entity(h);
    if (e.erased != erased) {
        record(OpErase{h, erased});
    }
}

void Drawing::eraseMany(const std::vector<Handle>& handles) {
    auto live = std::make_unique<std::vector<Handle>>();
    live->reserve(handles.size());
    // A handle given twice is erased once.
    std::vector<bool> taken(entities_.size(), false);
    for (Handle h : handles) {
        const Entity& e = entity(h);
        const auto p = std::size_t(&e - entities_.data());
        if (!e.erased && !taken[p]) {
            taken[p] = true;
            live->push_back(h);
        }
    }
    if (!live->empty()) {
        record(OpEraseMany{std::move(live), true});
    }
}

void Drawing::replace(Handle h, Entity e) {
    const Entity& before = entity(h);
    e.handle = h;
    e.erased = before.erased;
    record(OpReplace{std::make_unique<Entity>(std::move(e))});
}

void Drawing::replaceMany(std::vector<Entity> entities) {
    for (Entity& e : entities) {
        e.erased = entity(e.handle).erased;
    }
    if (!entities.empty()) {
        record(OpReplaceMany{std::make_unique<std::vector<Entity>>(std::move(entities))});
    }
}

void Drawing::swapLineEnds(Handle h) {
    if (!geomIf<LineGeom>(entity(h))) {
        throw Error(err::kWrongEntityKind, "The entity is not a line");
    }
    record(OpSwapEnds{h});
}

std::size_t Drawing::purgeErased() {
    if (liveCount_ == entities_.size()) {
        return 0;  // nothing erased: work that purges between passes reads nothing
    }
    OpRemove op{std::make_unique<Removal>()};
    for (std::size_t i = 0; i < entities_.size(); ++i) {
        if (entities_[i].erased) {
            op.removal->positions.push_back(i);
        }
    }
    const std::size_t n = op.removal->positions.size();
    if (n > 0) {
        record(std::move(op));
    }
    return n;
}

std::size_t Drawing::purgeAll() {
    OpRemove op{std::make_unique<Removal>()};
    std::vector<std::size_t>& positions = op.removal->positions;
    positions.resize(entities_.size());
    for (std::size_t i = 0; i < entities_.size(); ++i) {
        positions[i] = i;
    }
    const std::size_t n = positions.size();
    if (n > 0) {
        record(std::move(op));
    }
    return n;
}

void Drawing::addLayer(const Layer& layer) {
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        if (layers_[i].name == layer.name) {
            if (!(layers_[i] == layer)) {
                record(OpLayer{
                    std::make_unique<LayerChange>(LayerChange{i, true, layers_[i], layer})});
            }
            return;
        }
    }
    record(
        OpLayer{std::make_unique<LayerChange>(LayerChange{layers_.size(), false, Layer{}, layer})});
}

namespace {

bool sameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

template <class Item>
bool hasNamed(const std::vector<Item>& items, const std::string& name) {
    return std::any_of(items.begin(), items.end(),
                       [&](const Item& item) { return sameName(item.name, name); });
}

}  // namespace

void Drawing::addLineType(const LineType& lineType) {
    if (!hasNamed(lineTypes_, lineType.name)) {
        auto tables = std::make_unique<StyleTables>(StyleTables{lineTypes_, textStyles_});
        tables->lineTypes.push_back(lineType);
        record(OpStyles{std::move(tables)});
    }
}

void Drawing::addTextStyle(const TextStyle& style) {
    if (!hasNamed(textStyles_, style.name)) {
        auto tables = std::make_unique<StyleTables>(StyleTables{lineTypes_, textStyles_});
        tables->textStyles.push_back(style);
        record(OpStyles{std::move(tables)});
    }
}

void Drawing::setTextStyles(std::vector<TextStyle> styles) {
    if (styles != textStyles_) {
        record(OpStyles{std::make_unique<StyleTables>(StyleTables{lineTypes_, std::move(styles)})});
    }
}

void Drawing::setCurrentLayer(const std::string& name) {
    if (!findLayer(name)) {
        throw Error(err::kNoSuchLayer, "No layer named \"" + name + "\"");
    }
    if (name != currentLayer_) {
        record(OpCurrentLayer{
            std::make_unique<CurrentLayerChange>(CurrentLayerChange{currentLayer_, name})});
    }
}

void Drawing::renameLayer(const std::string& fromName, const std::string& toName) {
    // Copies: the names may be the layer's own, which the first op changes.
    const std::string from = fromName, to = toName;
    std::size_t index = layers_.size();
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        if (layers_[i].name == from) {
            index = i;
        }
    }
    if (index == layers_.size()) {
        throw Error(err::kNoSuchLayer, "No layer named \"" + from + "\"");
    }
    Layer renamed = layers_[index];
    renamed.name = to;
    record(
        OpLayer{std::make_unique<LayerChange>(LayerChange{index, true, layers_[index], renamed})});
    for (std::size_t i = 0; i < entities_.size(); ++i) {
        if (!entities_[i].erased && entities_[i].props().layer == from) {
            Entity e = entities_[i];
            e.editProps().layer = to;
            record(OpReplace{std::make_unique<Entity>(std::move(e))});
        }
    }
    std::vector<Block> changed;
    for (const auto& [name, block] : blocks_) {
        bool uses = false;
        for (const Entity& e : block.entities) {
            uses = uses || e.props().layer == from;
        }
        if (uses) {
            changed.push_back(block);
            for (Entity& e : changed.back().entities) {
                if (e.props().layer == from) {
                    e.editProps().layer = to;
                }
            }
        }
    }
    for (Block& b : changed) {
        const std::string name = b.name;
        setBlock(name, std::move(b));
    }
    if (currentLayer_ == from) {
        record(OpCurrentLayer{std::make_unique<CurrentLayerChange>(CurrentLayerChange{from, to})});
    }
}

void Drawing::removeLayer(const std::string& name) {
    for (std::size_t i = 0; i < layers_.size(); ++i) {
        if (layers_[i].name == name) {
            record(OpLayer{std::make_unique<LayerChange>(
                LayerChange{i, true, layers_[i], layers_[i], false})});
            return;
        }
    }
    throw Error(err::kNoSuchLayer, "No layer named \"" + name + "\"");
}

void Drawing::setHeader(const DrawingHeader& header) {
    if (!(header == header_)) {
        record(OpHeader{std::make_unique<DrawingHeader>(header)});
    }
}

void Drawing::setBlock(const std::string& name, std::optional<Block> block) {
    if (!block && !blocks_.contains(name)) {
        return;
    }
    if (block) {
        block->name = name;
    }
    record(OpBlock{std::make_unique<BlockChange>(BlockChange{name, std::move(block)})});
}

void Drawing::swapBlock(BlockChange& change) {
    const auto it = blocks_.find(change.name);
    std::optional<Block> held;
    if (it != blocks_.end()) {
        held = std::move(it->second);
        blocks_.erase(it);
    }
    if (change.other) {
        blocks_.emplace(change.name, std::move(*change.other));
    }
    change.other = std::move(held);
}

void Drawing::load(DrawingContent content) {
    entities_.clear();
    index_.clear();
    unindexed_ = 0;
    std::fill(positions_.begin(), positions_.end(), kAbsent);
    header_ = std::move(content.header);
    layers_ = std::move(content.layers);
    if (!findLayer("0")) {
        layers_.insert(layers_.begin(), Layer{"0"});
    }
    lineTypes_ = std::move(content.lineTypes);
    textStyles_ = std::move(content.textStyles);
    blocks_ = std::move(content.blocks);
    currentLayer_ = findLayer(content.currentLayer) ? content.currentLayer : "0";
    entities_ = std::move(content.entities);
    addMissingLayers();
    liveCount_ = 0;
    for (std::size_t i = 0; i < entities_.size(); ++i) {
        Entity& e = entities_[i];
        e.handle = nextHandle();
        lookupSlot(e.handle) = static_cast<std::uint32_t>(i);
        if (!e.erased) {
            ++liveCount_;
        }
    }
    indexAppended(0);
    steps_.clear();
    undone_ = 0;
    version_ = newVersion();
    savedVersion_ = version_;
}

std::vector<Entity> Drawing::loadKeepingStorage(DrawingContent content) {
    std::vector<Entity> storage = std::move(entities_);
    entities_ = {};
    storage.clear();
    load(std::move(content));
    return storage;
}

// Files may name layers they never define; such a layer exists with the
// default settings, as in every CAD program.
void Drawing::addMissingLayers() {
    const std::string* last = nullptr;
    for (const Entity& e : entities_) {
        if (last && *last == e.props().layer) {
            continue;
        }
        last = &e.props().layer.str();
        if (!findLayer(e.props().layer)) {
            layers_.push_back(Layer{e.props().layer});
        }
    }
}

DrawingContent Drawing::tables() const {
    DrawingContent c;
    c.header = header_;
    c.layers = layers_;
    c.lineTypes = lineTypes_;
    c.textStyles = textStyles_;
    c.blocks = blocks_;
    c.currentLayer = currentLayer_;
    return c;
}

// ---------------------------------------------------------------- apply / revert

std::vector<Entity> Drawing::removeAt(const std::vector<std::size_t>& positions) {
    if (positions.size() == entities_.size()) {
        // Everything goes: no need to take the entries out of the index one by one.
        index_.clear();
        unindexed_ = 0;
        for (const Entity& e : entities_) {
            lookupSlot(e.handle) = kAbsent;
        }
        liveCount_ = 0;
        return std::exchange(entities_, {});
    }
    settleIndex();
    // The kept entities close up in place: a purge never holds the drawing twice.
    std::vector<Entity> removed;
    removed.reserve(positions.size());
    std::size_t next = 0, kept = 0;
    for (std::size_t i = 0; i < entities_.size(); ++i) {
        if (next < positions.size() && positions[next] == i) {
            indexRemove(entities_[i]);
            if (!entities_[i].erased) {
                --liveCount_;
            }
            lookupSlot(entities_[i].handle) = kAbsent;
            removed.push_back(std::move(entities_[i]));
            ++next;
        } else {
            if (kept != i) {
                entities_[kept] = std::move(entities_[i]);
            }
            ++kept;
        }
    }
    entities_.erase(entities_.begin() + std::ptrdiff_t(kept), entities_.end());
    rebuildLookup();
    return removed;
}

void Drawing::insertAt(const std::vector<std::size_t>& positions, std::vector<Entity>& items) {
    std::vector<Entity> merged;
    merged.reserve(entities_.size() + items.size());
    std::size_t src = 0, next = 0;
    const std::size_t total = entities_.size() + items.size();
    for (std::size_t i = 0; i < total; ++i) {
        if (next < positions.size() && positions[next] == i) {
            indexInsert(items[next]);
            if (!items[next].erased) {
                ++liveCount_;
            }
            merged.push_back(std::move(items[next++]));
        } else {
            merged.push_back(std::move(entities_[src++]));
        }
    }
    entities_ = std::move(merged);
    items.clear();
    rebuildLookup();
}

void Drawing::appendAll(std::vector<Entity>& items) {
    const std::size_t from = entities_.size();
    if (from == 0) {
        entities_ = std::move(items);
    } else {
        entities_.insert(entities_.end(), std::make_move_iterator(items.begin()),
                         std::make_move_iterator(items.end()));
    }
    items = {};
    for (std::size_t i = from; i < entities_.size(); ++i) {
        lookupSlot(entities_[i].handle) = static_cast<std::uint32_t>(i);
        if (!entities_[i].erased) {
            ++liveCount_;
        }
    }
    unindexed_ += entities_.size() - from;
}

std::vector<Entity> Drawing::takeLast(std::size_t count) {
    const std::size_t from = entities_.size() - count;
    if (from == 0) {
        // Everything goes: the index is dropped whole.
        index_.clear();
        unindexed_ = 0;
        for (const Entity& e : entities_) {
            lookupSlot(e.handle) = kAbsent;
        }
        liveCount_ = 0;
        return std::exchange(entities_, {});
    }
    // Entities still waiting for the index leave without touching it.
    const bool indexed = count > unindexed_;
    if (indexed) {
        settleIndex();
    } else {
        unindexed_ -= count;
    }
    std::vector<Entity> taken;
    taken.reserve(count);
    for (std::size_t i = from; i < entities_.size(); ++i) {
        if (indexed) {
            indexRemove(entities_[i]);
        }
        if (!entities_[i].erased) {
            --liveCount_;
        }
        lookupSlot(entities_[i].handle) = kAbsent;
        taken.push_back(std::move(entities_[i]));
    }
    entities_.erase(entities_.begin() + std::ptrdiff_t(from), entities_.end());
    return taken;
}

void Drawing::swapIn(Entity& other) {
    Entity& e = entities_[positionOf(other.handle)];
    indexRemove(e);
    std::swap(e, other);
    indexInsert(e);
}

void Drawing::swapEnds(Handle h) {
    const std::size_t p = positionOf(h);
    Entity& e = entities_[p];
    LineGeom& g = *geomIf<LineGeom>(e);
    std::swap(g.p1, g.p2);
    // An entity not yet indexed takes its direction when the index settles.
    if (!e.erased && p < entities_.size() - unindexed_) {
        index_.setTag(h, boundingBox(e, *this), lineTag(e));
    }
}

// Past this share of the drawing, one bulk build of the index is quicker
// than taking each entry out and putting it back.
void Drawing::swapInMany(std::vector<Entity>& others) {
    const bool rebuild = others.size() * 8 >= entities_.size();
    if (!rebuild) {
        settleIndex();
    }
    for (Entity& other : others) {
        Entity& e = entities_[positionOf(other.handle)];
        if (!rebuild) {
            indexRemove(e);
        }
        std::swap(e, other);
        if (!rebuild) {
            indexInsert(e);
        }
    }
    if (rebuild) {
        index_.clear();
        unindexed_ = entities_.size();
    }
    // Taken back in the opposite order, so a handle given twice ends as it was.
    std::reverse(others.begin(), others.end());
}

// As swapInMany: past a share of the drawing the index is rebuilt in bulk,
// from the live entities only.
void Drawing::setErasedMany(const std::vector<Handle>& handles, bool erased) {
    const bool rebuild = handles.size() * 8 >= entities_.size();
    if (!rebuild) {
        settleIndex();
    }
    for (Handle h : handles) {
        Entity& e = entities_[positionOf(h)];
        if (erased) {
            if (!rebuild) {
                indexRemove(e);
            }
            e.erased = true;
            --liveCount_;
        } else {
            e.erased = false;
            ++liveCount_;
            if (!rebuild) {
                indexInsert(e);
            }
        }
    }
    if (rebuild) {
        index_.clear();
        unindexed_ = entities_.size();
    }
}

void Drawing::apply(Op& op) {
    // The other changes read or edit the index entry by entry.
    if (!std::holds_alternative<OpAppend>(op) && !std::holds_alternative<OpRemove>(op) &&
        !std::holds_alternative<OpReplaceMany>(op) && !std::holds_alternative<OpEraseMany>(op)) {
        settleIndex();
    }
    std::visit(Overloaded{
                   [&](OpAdd& o) {
                       lookupSlot(o.handle) = static_cast<std::uint32_t>(entities_.size());
                       entities_.push_back(std::move(*o.entity));
                       o.entity.reset();
                       ++liveCount_;
                       indexInsert(entities_.back());
                   },
                   [&](OpAppend& o) {
                       appendAll(*o.entities);
                       o.entities.reset();
                   },
                   [&](OpErase& o) {
                       Entity& e = entities_[positionOf(o.handle)];
                       if (o.erased) {
                           indexRemove(e);
                           e.erased = true;
                           --liveCount_;
                       } else {
                           e.erased = false;
                           ++liveCount_;
                           indexInsert(e);
                       }
                   },
                   [&](OpReplace& o) { swapIn(*o.other); },
                   [&](OpSwapEnds& o) { swapEnds(o.handle); },
                   [&](OpReplaceMany& o) { swapInMany(*o.others); },
                   [&](OpRemove& o) { o.removal->removed = removeAt(o.removal->positions); },
                   [&](OpEraseMany& o) { setErasedMany(*o.handles, o.erased); },
                   [&](OpLayer& o) {
                       const LayerChange& c = *o.change;
                       if (!c.remains) {
                           layers_.erase(layers_.begin() + std::ptrdiff_t(c.index));
                       } else if (c.existed) {
                           layers_[c.index] = c.after;
                       } else {
                           layers_.insert(layers_.begin() + std::ptrdiff_t(c.index), c.after);
                       }
                   },
                   [&](OpCurrentLayer& o) { currentLayer_ = o.change->after; },
                   [&](OpHeader& o) { std::swap(header_, *o.other); },
                   [&](OpBlock& o) { swapBlock(*o.change); },
                   [&](OpStyles& o) {
                       std::swap(lineTypes_, o.other->lineTypes);
                       std::swap(textStyles_, o.other->textStyles);
                   },
               },
               op);
}

void Drawing::revert(Op& op) {
    if (!std::holds_alternative<OpAppend>(op) && !std::holds_alternative<OpReplaceMany>(op) &&
        !std::holds_alternative<OpEraseMany>(op)) {
        settleIndex();
    }
    std::visit(Overloaded{
                   [&](OpAdd& o) {
                       assert(!entities_.empty() && entities_.back().handle == o.handle);
                       indexRemove(entities_.back());
                       if (!entities_.back().erased) {
                           --liveCount_;
                       }
                       lookupSlot(o.handle) = kAbsent;
                       o.entity = std::make_unique<Entity>(std::move(entities_.back()));
                       entities_.pop_back();
                   },
                   [&](OpAppend& o) {
                       o.entities = std::make_unique<std::vector<Entity>>(takeLast(o.count));
                   },
                   [&](OpErase& o) {
                       OpErase inverse{o.handle, !o.erased};
                       Op inverseOp = inverse;
                       apply(inverseOp);
                   },
                   [&](OpReplace& o) { swapIn(*o.other); },
                   [&](OpSwapEnds& o) { swapEnds(o.handle); },
                   [&](OpReplaceMany& o) { swapInMany(*o.others); },
                   [&](OpRemove& o) { insertAt(o.removal->positions, o.removal->removed); },
                   [&](OpEraseMany& o) { setErasedMany(*o.handles, !o.erased); },
                   [&](OpLayer& o) {
                       const LayerChange& c = *o.change;
                       if (!c.remains) {
                           layers_.insert(layers_.begin() + std::ptrdiff_t(c.index), c.before);
                       } else if (c.existed) {
                           layers_[c.index] = c.before;
                       } else {
                           layers_.erase(layers_.begin() + std::ptrdiff_t(c.index));
                       }
                   },
                   [&](OpCurrentLayer& o) { currentLayer_ = o.change->before; },
                   [&](OpHeader& o) { std::swap(header_, *o.other); },
                   [&](OpBlock& o) { swapBlock(*o.change); },
                   [&](OpStyles& o) {
                       std::swap(lineTypes_, o.other->lineTypes);
                       std::swap(textStyles_, o.other->textStyles);
                   },
               },
               op);
}

// ---------------------------------------------------------------- history

Drawing::Step::Step(Drawing& d, std::string label) : drawing_(d) {
    if (d.openSteps_++ == 0) {
        d.openLabel_ = std::move(label);
        d.stepStarted_ = false;
    }
}

Drawing::Step::~Step() {
    if (--drawing_.openSteps_ == 0) {
        drawing_.stepStarted_ = false;
    }
}

void Drawing::keepHistory(bool keep) {
    keepHistory_ = keep;
    if (!keep) {
        steps_.clear();
        undone_ = 0;
    }
}

void Drawing::record(Op op) {
    if (!keepHistory_) {
        apply(op);
        version_ = newVersion();
        return;
    }
    const bool implicit = openSteps_ == 0;
    if (implicit || !stepStarted_) {
        steps_.resize(steps_.size() - undone_);  // a new change ends the redo branch
        undone_ = 0;
        UndoStep step;
        step.label = implicit ? std::string("Edit") : openLabel_;
        step.versionBefore = version_;
        step.versionAfter = newVersion();
        steps_.push_back(std::move(step));
        stepStarted_ = !implicit;
    }
    steps_.back().ops.push_back(std::move(op));
    apply(steps_.back().ops.back());
    version_ = steps_.back().versionAfter;
}

std::string Drawing::undoLabel() const {
    return canUndo() ? steps_[steps_.size() - undone_ - 1].label : std::string();
}

std::string Drawing::redoLabel() const {
    return canRedo() ? steps_[steps_.size() - undone_].label : std::string();
}

void Drawing::undo() {
    if (!canUndo()) {
        throw Error(err::kNothingToUndo);
    }
    stepStarted_ = false;
    UndoStep& step = steps_[steps_.size() - undone_ - 1];
    for (auto it = step.ops.rbegin(); it != step.ops.rend(); ++it) {
        revert(*it);
    }
    version_ = step.versionBefore;
    ++undone_;
}

void Drawing::discardLastStep() {
    undo();
    steps_.pop_back();
    undone_ = 0;
}

void Drawing::redo() {
    if (!canRedo()) {
        throw Error(err::kNothingToRedo);
    }
    stepStarted_ = false;
    UndoStep& step = steps_[steps_.size() - undone_];
    for (Op& op : step.ops) {
        apply(op);
    }
    version_ = step.versionAfter;
    --undone_;
}

}  // namespace brondel::engine
