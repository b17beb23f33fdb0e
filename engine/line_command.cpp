#include "engine/line_command.h"

#include "engine/commands.h"
#include "engine/vecad.h"

namespace brondel::engine {

int LineCommand::code() const {
    return command::kDrawLine;
}

std::string LineCommand::prompt() const {
    return last_ ? "Draw Line: next point (Enter to end)" : "Draw Line: first point";
}

InteractiveCommand::Outcome LineCommand::press(const CommandPoint& at) {
    // The same point twice would make a line of no length: a step of
    // nothing in a cutting path.
    if (last_ && !(at.world == *last_)) {
        Drawing::Step step(vecad_.drawing(), "Draw Line");
        vecad_.AddLine(last_->x, last_->y, 0, at.world.x, at.world.y, 0);
        vecad_.Update();
    }
    last_ = at.world;
    return Outcome::Running;
}

RubberBand LineCommand::rubberBand(Point2 cursor) const {
    RubberBand band;
    if (last_) {
        band.segments.push_back({*last_, cursor});
    }
    return band;
}

}  // namespace brondel::engine
