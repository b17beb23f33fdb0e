#pragma once

#include <string>

#include "engine/table_editor.h"

namespace brondel::engine {

// Tools > Options: the program's settings (engine/cad.h), kept in the
// profile. They belong to the program, not to a drawing, so a change takes
// no undo step; one out of range is refused and the setting stays.
class OptionsEditor : public TableEditor {
  public:
    std::string title() const override { return "Options"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;
};

}  // namespace brondel::engine
