#include "engine/select_commands.h"

#include "engine/commands.h"
#include "engine/vecad.h"

namespace brondel::engine {

namespace {

// Selects the entity under the press; false when there is none.
bool selectUnder(Vecad& vecad, const CommandPoint& at) {
    const Handle h = vecad.GetEntityAtPoint(at.window.x, at.window.y);
    if (h == kNoHandle) {
        return false;
    }
    vecad.SelectEntity(h, true);
    vecad.WndRedraw();
    return true;
}

}  // namespace

int SelectByPointCommand::code() const {
    return command::kSelectByPoint;
}

InteractiveCommand::Outcome SelectByPointCommand::press(const CommandPoint& at) {
    if (!selectUnder(vecad_, at)) {
        vecad_.commandMessage("Select By Point: nothing there");
    }
    return Outcome::Running;
}

int SelectByRectangleCommand::code() const {
    return command::kSelectByRectangle;
}

std::string SelectByRectangleCommand::prompt() const {
    return first_ ? "Select By Rectangle: opposite corner" : "Select By Rectangle: first corner";
}

InteractiveCommand::Outcome SelectByRectangleCommand::press(const CommandPoint& at) {
    if (!first_) {
        first_ = at.world;
        return Outcome::Running;
    }
    Box2 box;
    box.add(first_->x, first_->y);
    box.add(at.world.x, at.world.y);
    const int added = vecad_.selectInBox(box, at.world.x < first_->x);
    vecad_.commandMessage("Select By Rectangle: " + std::to_string(added) + " selected");
    return Outcome::Finished;
}

RubberBand SelectByRectangleCommand::rubberBand(Point2 cursor) const {
    RubberBand band;
    if (first_) {
        band.rectangle = RubberBand::Rectangle{*first_, cursor, cursor.x < first_->x};
    }
    return band;
}

int EraseCommand::code() const {
    return command::kErase;
}

InteractiveCommand::Outcome EraseCommand::press(const CommandPoint& at) {
    if (!selectUnder(vecad_, at)) {
        vecad_.commandMessage("Erase: nothing there");
    }
    return Outcome::Running;
}

InteractiveCommand::Outcome EraseCommand::enter() {
    vecad_.eraseSelection();
    return Outcome::Finished;
}

// The command starts only with nothing selected, so what is selected now
// are its own picks.
void EraseCommand::cancel() {
    vecad_.SelClear();
    vecad_.WndRedraw();
}

}  // namespace brondel::engine
