#pragma once

#include <optional>

#include "engine/interactive_command.h"
#include "engine/two_corner_command.h"

// The interactive selection commands; both add to the selection.
namespace brondel::engine {

// Each press adds the entity under it.
class SelectByPointCommand : public InteractiveCommand {
  public:
    using InteractiveCommand::InteractiveCommand;
    int code() const override;
    std::string prompt() const override { return "Select By Point: pick entities (Enter to end)"; }
    Outcome press(const CommandPoint& at) override;
    bool takesPoints() const override { return false; }
};

// Two corners. Drawn left to right the rectangle is a window: it selects
// what lies wholly inside it; drawn right to left it is a crossing: it also
// selects what it touches.
class SelectByRectangleCommand : public TwoCornerCommand {
  public:
    explicit SelectByRectangleCommand(Vecad& vecad)
        : TwoCornerCommand(vecad, "Select By Rectangle", true) {}
    int code() const override;

  protected:
    Outcome corners(Point2 first, Point2 second) override;
};

// Erase with nothing selected: presses pick the entities, Enter erases
// them as one step, Escape lets them go.
class EraseCommand : public InteractiveCommand {
  public:
    using InteractiveCommand::InteractiveCommand;
    int code() const override;
    std::string prompt() const override { return "Erase: pick entities (Enter to erase them)"; }
    Outcome press(const CommandPoint& at) override;
    Outcome enter() override;
    void cancel() override;
    bool takesPoints() const override { return false; }
};

}  // namespace brondel::engine
