#pragma once

#include <string>

#include "engine/dimension_style.h"
#include "engine/table_editor.h"

namespace brondel::engine {

class Drawing;

// Format Dimension Style: the current style's sizes. A change is one undo
// step that also lays out again and redraws every dimension of the style;
// a refused one leaves the drawing as it was.
class DimStyleEditor : public TableEditor {
  public:
    explicit DimStyleEditor(Drawing& drawing) : drawing_(drawing) {}

    const DimStyle& style() const;
    // "" when applied (or when nothing changes), else why not.
    std::string apply(const DimStyle& style);

    std::string title() const override { return "Format Dimension Style"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    Drawing& drawing_;
};

}  // namespace brondel::engine
