#pragma once

#include <string>

#include "engine/table_editor.h"

namespace brondel::engine {

class Drawing;

// Format Point Style: how points look and how large, kept with the drawing
// ($PDMODE, $PDSIZE). Each change is one undo step.
class PointStyleEditor : public TableEditor {
  public:
    explicit PointStyleEditor(Drawing& drawing) : drawing_(drawing) {}

    // "" when applied, else why not (the drawing as it was).
    std::string setMode(int mode);
    std::string setSize(double size);

    std::string title() const override { return "Format Point Style"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    Drawing& drawing_;
};

}  // namespace brondel::engine
