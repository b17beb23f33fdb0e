#include "engine/two_corner_command.h"

namespace brondel::engine {

std::string TwoCornerCommand::prompt() const {
    return name_ + (first_ ? ": opposite corner" : ": first corner");
}

InteractiveCommand::Outcome TwoCornerCommand::press(const CommandPoint& at) {
    if (!first_) {
        first_ = at.world;
        return Outcome::Running;
    }
    return corners(*first_, at.world);
}

RubberBand TwoCornerCommand::rubberBand(Point2 cursor) const {
    RubberBand band;
    if (first_) {
        band.rectangle =
            RubberBand::Rectangle{*first_, cursor, crossingLeftwards_ && cursor.x < first_->x};
    }
    return band;
}

}  // namespace brondel::engine
