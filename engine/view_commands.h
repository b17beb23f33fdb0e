#pragma once

#include <optional>

#include "engine/interactive_command.h"
#include "engine/two_corner_command.h"

// The interactive view commands. Each remembers the view it changes, so
// Zoom Previous goes back to it.
namespace brondel::engine {

// Two corners; the view then fits the rectangle between them.
class ZoomWindowCommand : public TwoCornerCommand {
  public:
    explicit ZoomWindowCommand(Vecad& vecad) : TwoCornerCommand(vecad, "Zoom Window", false) {}
    int code() const override;

  protected:
    Outcome corners(Point2 first, Point2 second) override;
};

// Dragging up zooms in, down zooms out, about the point first pressed.
class ZoomRealtimeCommand : public InteractiveCommand {
  public:
    using InteractiveCommand::InteractiveCommand;
    int code() const override;
    std::string prompt() const override;
    Outcome press(const CommandPoint& at) override;
    void move(const CommandPoint& at) override;
    void release(const CommandPoint&) override { drag_.reset(); }
    bool takesPoints() const override { return false; }

    // Drag distance that doubles or halves the scale.
    static constexpr double kPixelsPerDoubling = 100;

  private:
    struct Drag {
        Point2 window, world;
        double scale;
    };
    std::optional<Drag> drag_;
};

// Dragging moves the drawing with the cursor.
class PanRealtimeCommand : public InteractiveCommand {
  public:
    using InteractiveCommand::InteractiveCommand;
    int code() const override;
    std::string prompt() const override;
    Outcome press(const CommandPoint& at) override;
    void move(const CommandPoint& at) override;
    void release(const CommandPoint&) override { drag_.reset(); }
    bool takesPoints() const override { return false; }

  private:
    struct Drag {
        Point2 window, center;
    };
    std::optional<Drag> drag_;
};

// One press: the view is centred there.
class PanToPointCommand : public InteractiveCommand {
  public:
    using InteractiveCommand::InteractiveCommand;
    int code() const override;
    std::string prompt() const override { return "Pan to Point: new centre of the view"; }
    Outcome press(const CommandPoint& at) override;
};

}  // namespace brondel::engine
