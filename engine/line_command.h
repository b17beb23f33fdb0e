#pragma once

#include <optional>

#include "engine/geometry.h"

namespace brondel::engine {

class Vecad;

// The engine's Draw Line command while it runs: each press places a point,
// and every point after the first draws a line from the one before it, on
// the current layer, one undo step per line. Enter, Escape or a right press
// ends it.
class LineCommand {
  public:
    explicit LineCommand(Vecad& vecad) : vecad_(vecad) {}

    void press(Point3 at);
    // Enter and Escape end the command; other keys are not its own. Returns
    // whether the key was taken.
    bool key(int keyCode);
    void end() { running_ = false; }
    bool running() const { return running_; }

    static constexpr int kEnter = 13;
    static constexpr int kEscape = 27;

  private:
    Vecad& vecad_;
    std::optional<Point3> last_;
    bool running_ = true;
};

}  // namespace brondel::engine
