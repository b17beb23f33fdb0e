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

InteractiveCommand::Outcome SelectByRectangleCommand::corners(Point2 first, Point2 second) {
    Box2 box;
    box.add(first.x, first.y);
    box.add(second.x, second.y);
    const int added = vecad_.selectInBox(box, second.x < first.x);
    vecad_.commandMessage("Select By Rectangle: " + std::to_string(added) + " selected");
    return Outcome::Finished;
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
