#pragma once

#include <string>

#include "engine/table_editor.h"
#include "engine/tables.h"

namespace brondel::engine {

class Drawing;

// Format Layers: each member makes one change as one undo step, or answers
// why it cannot ("" when done) and leaves the drawing as it was.
class LayerEditor : public TableEditor {
  public:
    explicit LayerEditor(Drawing& drawing) : drawing_(drawing) {}

    const Drawing& drawing() const { return drawing_; }

    std::string add(const std::string& name);
    std::string rename(const std::string& from, const std::string& to);
    // Only a layer nothing is drawn on, and neither the current one nor 0.
    std::string remove(const std::string& name);
    std::string setCurrent(const std::string& name);
    std::string setOn(const std::string& name, bool on);
    std::string setFrozen(const std::string& name, bool frozen);
    std::string setLocked(const std::string& name, bool locked);
    std::string setColor(const std::string& name, int aci);  // 1 to 255
    std::string setLineType(const std::string& name, const std::string& lineType);
    std::string setLineWeight(const std::string& name, int weight);  // a DXF weight or -3

    std::string title() const override { return "Format Layers"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    const Layer* find(const std::string& name) const;
    bool used(const std::string& name) const;
    std::string change(const std::string& name, void (*edit)(Layer&, int), int value);

    Drawing& drawing_;
};

}  // namespace brondel::engine
