#pragma once

#include <string>
#include <vector>

#include "engine/entity.h"
#include "engine/table_editor.h"

namespace brondel::engine {

class Drawing;

// "" when the lines, their colours and the scale make a multi-line style,
// else why not: at least one line, finite offsets no two alike, a colour
// for each line, a scale above 0.
std::string refusedMultiLineStyle(const std::vector<double>& offsets,
                                  const std::vector<Color>& colors, double scale);

// Format Multi-line Style: the offsets, colours and scale Draw Multi-Line
// draws with. Each change is one undo step; a refused one leaves the
// drawing as it was.
class MultiLineStyleEditor : public TableEditor {
  public:
    explicit MultiLineStyleEditor(Drawing& drawing) : drawing_(drawing) {}

    // "" when applied (or when nothing changes), else why not.
    std::string apply(const std::vector<double>& offsets, const std::vector<Color>& colors,
                      double scale);

    std::string title() const override { return "Format Multi-line Style"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    Drawing& drawing_;
};

}  // namespace brondel::engine
