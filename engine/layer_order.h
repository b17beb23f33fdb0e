#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/entity.h"
#include "engine/table_editor.h"
#include "engine/tables.h"

// Set Layer Order: layers are drawn in the order of the drawing's layer
// table, the entities of a later layer over those of an earlier one. DXF
// keeps the table in its order, so the order needs no data of its own.
namespace brondel::engine {

class Drawing;

// Moves the layer to position (1 = drawn first, beyond the last = last) as
// one undo step; answers why not ("" when done, or when it is there).
std::string moveLayerTo(Drawing& drawing, const std::string& name, std::size_t position);

// Positions in entities of the live ones in the order they are drawn: by
// their layer's place in layers, in their own order within a layer; those
// on a layer the table lacks come last. Linear in the entities: they are
// bucketed by layer, never sorted.
std::vector<std::uint32_t> drawingOrder(const std::vector<Entity>& entities,
                                        const std::vector<Layer>& layers);

class LayerOrderEditor : public TableEditor {
  public:
    explicit LayerOrderEditor(Drawing& drawing) : drawing_(drawing) {}

    std::string title() const override { return "Set Layer Order"; }
    std::string prompt() const override;
    // "NAME POSITION".
    std::string command(const std::string& line) override;

  private:
    Drawing& drawing_;
};

}  // namespace brondel::engine
