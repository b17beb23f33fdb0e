#pragma once

#include <string>
#include <vector>

#include "engine/table_editor.h"
#include "engine/tables.h"

namespace brondel::engine {

class Drawing;

// The engine's built-in font ("txt", the name DXF programs know it by), then
// each font the drawing's styles name, once; the built-in one alone without
// a drawing.
std::vector<std::string> drawingFonts(const Drawing* drawing);

// Format Text Style: the drawing's text styles and the one new text takes.
// Each member makes one change as one undo step, or answers why it cannot
// ("" when done) and leaves the drawing as it was.
class TextStyleEditor : public TableEditor {
  public:
    explicit TextStyleEditor(Drawing& drawing) : drawing_(drawing) {}

    // The drawing's styles, STANDARD first among them even when its table
    // does not list it.
    std::vector<TextStyle> styles() const;
    // The engine's built-in font, then the fonts the styles name.
    std::vector<std::string> fonts() const;

    std::string add(const std::string& name);
    std::string setCurrent(const std::string& name);
    // The text of that style and the current style follow the new name.
    std::string rename(const std::string& from, const std::string& to);
    std::string setFont(const std::string& name, const std::string& font);
    std::string setHeight(const std::string& name, double height);  // 0: asked for each text
    std::string setWidthFactor(const std::string& name, double factor);
    std::string setOblique(const std::string& name, double degrees);

    std::string title() const override { return "Format Text Style"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    std::string change(const std::string& name, void (*edit)(TextStyle&, double), double value);
    void renameText(const std::string& from, const std::string& to);

    Drawing& drawing_;
};

}  // namespace brondel::engine
