#pragma once

#include <string>

#include "engine/table_editor.h"

namespace brondel::engine {

class Vecad;

// Adjust Object Snap, Adjust Grid and Adjust PolarTracking: the drafting
// aids the control keeps. They belong to the window, not to the drawing, so
// a change takes no undo step.
class AidSettingsEditor : public TableEditor {
  public:
    enum class Kind { ObjectSnap, Grid, PolarTracking };
    AidSettingsEditor(Vecad& control, Kind kind) : control_(control), kind_(kind) {}

    Kind kind() const { return kind_; }

    std::string title() const override;
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    std::string snapCommand(const std::string& verb, const std::string& name);
    std::string apertureCommand(const std::string& value);
    std::string gridCommand(const std::string& verb, const std::string& value);
    std::string polarCommand(const std::string& verb, const std::string& value);

    Vecad& control_;
    Kind kind_;
};

}  // namespace brondel::engine
