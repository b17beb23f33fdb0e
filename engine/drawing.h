#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/entity.h"
#include "engine/shape.h"
#include "engine/spatial_index.h"
#include "engine/tables.h"

namespace brondel::engine {

// Everything a drawing file holds, as readers produce it and writers take it.
struct DrawingContent {
    DrawingHeader header;
    std::vector<Layer> layers;
    std::vector<LineType> lineTypes;
    std::vector<TextStyle> textStyles;
    std::map<std::string, Block> blocks;
    std::vector<Entity> entities;  // handles are assigned when loaded
    std::string currentLayer = "0";
};

// One drawing: its entities in drawing order, its tables, the spatial index
// and the undo history. Every change goes through the few mutating members
// below, which keep the index, the change flag and the history right.
//
// Entities stay in the order they were added; handles grow along that order
// (a new entity always gets a fresh handle and is appended, undo restores an
// earlier order exactly), so drawing order is handle order.
class Drawing : public BlockLookup {
  public:
    Drawing();
    ~Drawing() override;
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    // Content. Erased entities stay in entities() until purged.
    const std::vector<Entity>& entities() const { return entities_; }
    std::size_t liveCount() const { return liveCount_; }
    const Entity* find(Handle h) const;
    // As find, but a handle that is not this drawing's is an error.
    const Entity& entity(Handle h) const;
    // First / next live entity in drawing order, 0 when there is none.
    Handle firstLive() const;
    Handle nextLive(Handle h) const;

    const DrawingHeader& header() const { return header_; }
    const std::vector<Layer>& layers() const { return layers_; }
    const Layer* findLayer(const std::string& name) const;
    const std::string& currentLayer() const { return currentLayer_; }
    const std::vector<LineType>& lineTypes() const { return lineTypes_; }
    const std::vector<TextStyle>& textStyles() const { return textStyles_; }
    const std::map<std::string, Block>& blocks() const { return blocks_; }
    const Block* findBlock(const std::string& name) const override;
    const DimStyle* findDimStyle(const std::string& name) const override;

    // Changes.
    Handle add(Entity e);  // appended last; handle assigned here
    // Appends the entities in their order as one change, with the handles
    // add() would give them one by one and the index built in bulk. Answers
    // the first new handle (0 when there are none).
    Handle addMany(std::vector<Entity> entities);
    void setErased(Handle h, bool erased);
    // Erases them all as one change; handles already erased are left out.
    // A large share of the drawing rebuilds the index in bulk. Throws,
    // changing nothing, when a handle is not this drawing's.
    void eraseMany(const std::vector<Handle>& handles);
    void replace(Handle h, Entity e);  // same handle and place, new geometry or properties
    // Many replacements as one change: each entity takes the place of the
    // one whose handle it carries. A large share of the drawing rebuilds the
    // index in bulk instead of entry by entry. Throws, changing nothing,
    // when a handle is not this drawing's.
    void replaceMany(std::vector<Entity> entities);
    // A line's ends swap in place. Its box stays, so its index entry stays
    // and only learns the new direction. Throws when h is not this drawing's
    // or not a line.
    void swapLineEnds(Handle h);
    std::size_t purgeErased();
    std::size_t purgeAll();
    void addLayer(const Layer& layer);  // a layer of the same name is updated
    // Added when the drawing has none of that name (names compare without
    // regard to case, as in DXF); one it has stays as it is.
    void addLineType(const LineType& lineType);
    void addTextStyle(const TextStyle& style);
    // The whole text style table at once (a style changed or renamed).
    void setTextStyles(std::vector<TextStyle> styles);
    void setCurrentLayer(const std::string& name);
    // The entities, block entities and current layer on `from` follow it.
    void renameLayer(const std::string& from, const std::string& to);
    void removeLayer(const std::string& name);  // whatever is on it keeps the name
    void setHeader(const DrawingHeader& header);
    // Adds, replaces or (with nullopt) removes the block of that name.
    void setBlock(const std::string& name, std::optional<Block> block);

    // Replaces the whole drawing (a file was opened or a new one started):
    // history cleared, not changed.
    void load(DrawingContent content);
    // Loads content as load() does and hands over the entities' storage,
    // emptied, to a caller that rebuilds the drawing whole (a 3D view's
    // projection): refilled, it needs no fresh pages.
    std::vector<Entity> loadKeepingStorage(DrawingContent content);
    // Tables and header as they stand, without entities (for writers).
    DrawingContent tables() const;
    // Rewrites every picture file and reference path the drawing holds, its
    // history's included, as the drawing's file moves: not a change.
    void rebaseFilePaths(const std::function<std::string(const std::string&)>& map);

    // Undo. Changes made while a Step is open form one step; a change made
    // outside any step is a step of its own.
    class Step {
      public:
        Step(Drawing& d, std::string label);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

      private:
        Drawing& drawing_;
    };
    bool canUndo() const { return undone_ < steps_.size(); }
    bool canRedo() const { return undone_ > 0; }
    std::string undoLabel() const;
    std::string redoLabel() const;
    void undo();
    void redo();
    // Takes back the newest step as if it had never been made: a command
    // that fails midway leaves neither its half change nor a step to redo.
    void discardLastStep();
    // A drawing that is only ever rebuilt (a preview) keeps no history, so
    // what it replaces is freed at once.
    void keepHistory(bool keep);

    bool changed() const { return version_ != savedVersion_; }
    void markSaved() { savedVersion_ = version_; }
    // Changed as though never saved (versions start at 1): a drawing restored
    // from a recovery file is not the file of its name.
    void markUnsaved() { savedVersion_ = 0; }
    // Different after every change, undo and redo; never the same for two
    // states of any drawing of the process.
    std::uint64_t version() const { return version_; }

    // Live entities whose geometry comes within distance of (x, y), in
    // drawing order.
    std::vector<Handle> within(double x, double y, double distance) const;
    // What within() finds, with a line's ends read from the index, so a walk
    // from end to end need not look each candidate up.
    struct Nearby {
        Handle handle;
        bool line;
        Point2 first, second;  // a line's ends (a zero's sign aside); unset otherwise
    };
    // As within(), into a caller's buffer that keeps its room between queries.
    void within(double x, double y, double distance, std::vector<Nearby>& found) const;
    // Live entities that lie wholly inside the box, or with crossing also
    // those that touch it, in drawing order.
    std::vector<Handle> inBox(const Box2& box, bool crossing) const;
    Box2 extents() const;

  private:
    // Ops hold what is not in the drawing while they are applied (an added
    // entity after undo, removed entities after a purge), so the history
    // never keeps a second copy of what the drawing holds; their payloads sit
    // behind pointers so a step of a million additions stays small.
    struct OpAdd {
        Handle handle;
        std::unique_ptr<Entity> entity;  // null while applied
    };
    struct OpAppend {
        std::size_t count;
        std::unique_ptr<std::vector<Entity>> entities;  // null while applied
    };
    struct OpErase {
        Handle handle;
        bool erased;  // the state the op sets
    };
    struct OpEraseMany {
        std::unique_ptr<std::vector<Handle>> handles;
        bool erased;  // the state the op sets
    };
    struct OpReplace {
        std::unique_ptr<Entity> other;  // swapped with the drawing's entity by apply and revert
    };
    struct OpSwapEnds {
        Handle handle;  // its own inverse
    };
    struct OpReplaceMany {
        std::unique_ptr<std::vector<Entity>> others;  // as OpReplace, many at once
    };
    struct Removal {
        std::vector<std::size_t> positions;  // ascending, in the order before removal
        std::vector<Entity> removed;         // filled while the removal is applied
    };
    struct OpRemove {
        std::unique_ptr<Removal> removal;
    };
    struct LayerChange {
        std::size_t index;
        bool existed;
        Layer before, after;
        bool remains = true;  // false: the op takes the layer out
    };
    struct OpLayer {
        std::unique_ptr<LayerChange> change;
    };
    struct CurrentLayerChange {
        std::string before, after;
    };
    struct OpCurrentLayer {
        std::unique_ptr<CurrentLayerChange> change;
    };
    struct StyleTables {
        std::vector<LineType> lineTypes;
        std::vector<TextStyle> textStyles;
    };
    struct OpStyles {
        std::unique_ptr<StyleTables> other;  // swapped with the drawing's by apply and revert
    };
    struct OpHeader {
        std::unique_ptr<DrawingHeader> other;  // swapped with the drawing's by apply and revert
    };
    struct BlockChange {
        std::string name;
        std::optional<Block> other;  // swapped with the drawing's (absent: no such block)
    };
    struct OpBlock {
        std::unique_ptr<BlockChange> change;
    };
    using Op = std::variant<OpAdd, OpAppend, OpErase, OpReplace, OpRemove, OpLayer, OpCurrentLayer,
                            OpReplaceMany, OpHeader, OpBlock, OpEraseMany, OpStyles, OpSwapEnds>;

    struct UndoStep {
        std::string label;
        std::vector<Op> ops;
        std::uint64_t versionBefore = 0, versionAfter = 0;
    };

    void record(Op op);
    void apply(Op& op);
    void revert(Op& op);
    void swapIn(Entity& other);
    void swapInMany(std::vector<Entity>& others);
    void swapEnds(Handle h);
    void setErasedMany(const std::vector<Handle>& handles, bool erased);
    void swapBlock(BlockChange& change);
    std::vector<Entity> removeAt(const std::vector<std::size_t>& positions);
    void insertAt(const std::vector<std::size_t>& positions, std::vector<Entity>& items);

    std::size_t positionOf(Handle h) const;  // npos when not here
    Handle nextHandle();
    void indexInsert(const Entity& e);
    void indexRemove(const Entity& e);
    void indexAppended(std::size_t from) const;
    void settleIndex() const;
    // Calls found(handle, box, tag) for each live entity within distance.
    template <class Found>
    void visitWithin(double x, double y, double distance, Found&& found) const;
    void appendAll(std::vector<Entity>& items);
    std::vector<Entity> takeLast(std::size_t count);
    void rebuildLookup();
    void addMissingLayers();

    static constexpr std::uint32_t kAbsent = 0xffffffffu;
    std::uint32_t& lookupSlot(Handle h);
    std::uint32_t lookupValue(Handle h) const;

    std::vector<Entity> entities_;
    std::size_t liveCount_ = 0;
    DrawingHeader header_;
    std::vector<Layer> layers_;
    std::string currentLayer_ = "0";
    std::vector<LineType> lineTypes_;
    std::vector<TextStyle> textStyles_;
    std::map<std::string, Block> blocks_;
    // Entities added in bulk join the index when it is first needed: a
    // drawing rebuilt and then dropped (the command-line road) never builds
    // it. The last unindexed_ entities are not in it yet.
    mutable SpatialIndex index_;
    mutable std::size_t unindexed_ = 0;

    // Handle -> position: chunk-local slots of every chunk this drawing owns.
    std::vector<std::int32_t> localChunk_;  // by global chunk number, -1 = not ours
    std::vector<std::uint32_t> positions_;  // by local chunk * chunk size + offset
    Handle nextFree_ = 0, chunkEnd_ = 0;

    std::vector<UndoStep> steps_;
    std::size_t undone_ = 0;  // steps at the end of steps_ that are undone
    int openSteps_ = 0;
    std::string openLabel_;
    bool stepStarted_ = false;
    bool keepHistory_ = true;
    std::uint64_t version_ = 0, savedVersion_ = 0;
};

}  // namespace brondel::engine
