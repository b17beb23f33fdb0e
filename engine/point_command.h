#pragma once

#include <optional>

#include "engine/interactive_command.h"

namespace brondel::engine {

// Draw Point: one point entity per press, each its own undo step.
class PointCommand : public InteractiveCommand {
  public:
    using InteractiveCommand::InteractiveCommand;

    int code() const override;
    std::string prompt() const override { return "Draw Point: point (Enter to end)"; }
    Outcome press(const CommandPoint& at) override;
    std::optional<Point2> basePoint() const override { return last_; }

  private:
    std::optional<Point2> last_;
};

}  // namespace brondel::engine
