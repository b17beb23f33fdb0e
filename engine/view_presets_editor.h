#pragma once

#include <string>

#include "engine/table_editor.h"
#include "engine/view_direction.h"

namespace brondel::engine {

class Vecad;

// 3D Viewpoint Presets: the directions a control's view can show the
// drawing from. The view belongs to the window, not to the drawing, so a
// change takes no undo step.
class ViewPresetsEditor : public TableEditor {
  public:
    explicit ViewPresetsEditor(Vecad& control) : control_(control) {}

    ViewDirection current() const;
    void choose(ViewDirection direction);

    std::string title() const override;
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    Vecad& control_;
};

}  // namespace brondel::engine
