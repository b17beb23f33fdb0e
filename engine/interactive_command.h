#pragma once

#include <optional>
#include <string>

#include "engine/geometry.h"
#include "engine/rubber_band.h"

namespace brondel::engine {

class Vecad;

// A pointer position as a command receives it: the window pixel, and the
// drawing point it stands for (snapped, or held to the polar angles, when
// the command takes drawing points).
struct CommandPoint {
    Point2 window;
    Point2 world;
};

// One of the engine's interactive commands while it runs, a small state
// machine: each event either keeps it running or finishes it. The control
// owns the running command, feeds it presses, moves, keys and typed points,
// and ends it when it finishes or another command starts.
class InteractiveCommand {
  public:
    enum class Outcome { Running, Finished };

    explicit InteractiveCommand(Vecad& vecad) : vecad_(vecad) {}
    virtual ~InteractiveCommand() = default;
    InteractiveCommand(const InteractiveCommand&) = delete;
    InteractiveCommand& operator=(const InteractiveCommand&) = delete;

    virtual int code() const = 0;
    // What the user is asked for now.
    virtual std::string prompt() const = 0;

    // A left press, or a point typed in the command window.
    virtual Outcome press(const CommandPoint& at) = 0;
    virtual void move(const CommandPoint&) {}
    virtual void release(const CommandPoint&) {}
    // Enter, a right press or an empty line typed.
    virtual Outcome enter() { return Outcome::Finished; }
    // Escape, or another command takes over: drop what was begun.
    virtual void cancel() {}

    // What the view draws with the cursor at `cursor`.
    virtual RubberBand rubberBand(Point2 /*cursor*/) const { return {}; }
    // Whether presses are drawing points, to which snaps and typed points
    // apply; the realtime commands work in window pixels instead.
    virtual bool takesPoints() const { return true; }
    // The point that relative and distance input start from.
    virtual std::optional<Point2> basePoint() const { return std::nullopt; }
    // Whether ortho and polar angles hold points to the base point.
    virtual bool followsPolar() const { return false; }

  protected:
    Vecad& vecad_;
};

}  // namespace brondel::engine
