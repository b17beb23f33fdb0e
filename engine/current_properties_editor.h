#pragma once

#include <string>

#include "engine/entity.h"
#include "engine/table_editor.h"

namespace brondel::engine {

class Drawing;

// Reads ByLayer, ByBlock, a colour number 1-255 or R,G,B into color; "" when
// read, else why not (color unchanged).
std::string typedColor(const std::string& word, Color& color);

// Format Colors and Format Line Weight: the colour and the weight new
// entities take, kept with the drawing. Each change is one undo step.
class CurrentPropertiesEditor : public TableEditor {
  public:
    enum class Kind { Color, LineWeight };
    CurrentPropertiesEditor(Drawing& drawing, Kind kind) : drawing_(drawing), kind_(kind) {}

    Kind kind() const { return kind_; }
    Color color() const;
    int lineWeight() const;
    // ByLayer, ByBlock, 1 to 255, or a true colour (0xRRGGBB, aci as shown).
    std::string setColor(Color color);
    // By layer, by block, default, or a DXF weight.
    std::string setLineWeight(int weight);

    std::string title() const override;
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    std::string colorCommand(const std::string& word);

    Drawing& drawing_;
    Kind kind_;
};

}  // namespace brondel::engine
