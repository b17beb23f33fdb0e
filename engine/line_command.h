#pragma once

#include <optional>

#include "engine/interactive_command.h"

namespace brondel::engine {

// Draw Line: each press places a point, and every point after the first
// draws a line from the one before it, on the current layer, one undo step
// per line.
class LineCommand : public InteractiveCommand {
  public:
    using InteractiveCommand::InteractiveCommand;

    int code() const override;
    std::string prompt() const override;
    Outcome press(const CommandPoint& at) override;
    RubberBand rubberBand(Point2 cursor) const override;
    std::optional<Point2> basePoint() const override { return last_; }
    bool followsPolar() const override { return true; }

  private:
    std::optional<Point2> last_;
};

}  // namespace brondel::engine
