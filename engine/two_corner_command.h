#pragma once

#include <optional>
#include <string>
#include <utility>

#include "engine/interactive_command.h"

namespace brondel::engine {

// A command that asks for the two corners of a rectangle, showing it as a
// rubber band from the first corner, and then acts on it.
class TwoCornerCommand : public InteractiveCommand {
  public:
    // name starts the prompts ("Zoom Window"); with crossingLeftwards a
    // rectangle drawn right to left shows as a crossing.
    TwoCornerCommand(Vecad& vecad, std::string name, bool crossingLeftwards)
        : InteractiveCommand(vecad),
          name_(std::move(name)),
          crossingLeftwards_(crossingLeftwards) {}

    std::string prompt() const override;
    Outcome press(const CommandPoint& at) override;
    RubberBand rubberBand(Point2 cursor) const override;
    std::optional<Point2> basePoint() const override { return first_; }

  protected:
    // The second corner has been given; first is the one given before.
    virtual Outcome corners(Point2 first, Point2 second) = 0;
    const std::string& name() const { return name_; }

  private:
    std::string name_;
    bool crossingLeftwards_;
    std::optional<Point2> first_;
};

}  // namespace brondel::engine
