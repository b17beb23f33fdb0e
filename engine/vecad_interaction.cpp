// The control's interactive side: running commands, pointer and typed
// input, snaps, the command window's history and the views Zoom Previous
// returns to.
#include <cmath>

#include "engine/command_input.h"
#include "engine/commands.h"
#include "engine/interactive_commands.h"
#include "engine/polar_constraint.h"
#include "engine/shape.h"
#include "engine/vecad.h"

namespace brondel::engine {

namespace {
constexpr int kEnter = 13;
constexpr int kEscape = 27;
}  // namespace

// ---------------------------------------------------------------- running commands

int Vecad::runningCommand() const {
    return command_ ? command_->code() : 0;
}

std::string Vecad::commandPrompt() const {
    return command_ ? command_->prompt() : std::string();
}

void Vecad::startCommand(std::unique_ptr<InteractiveCommand> command) {
    endCommand(true);
    command_ = std::move(command);
    refreshRubberBand(false);
    promptIfChanged();
}

void Vecad::endCommand(bool cancelled) {
    if (!command_) {
        return;
    }
    const std::shared_ptr<InteractiveCommand> ending = std::move(command_);
    if (cancelled) {
        ending->cancel();
    }
    const bool hadSnap = snapHit_.has_value();
    snapHit_.reset();
    refreshRubberBand(hadSnap);
    promptIfChanged();
}

void Vecad::settle(InteractiveCommand::Outcome outcome) {
    if (outcome == InteractiveCommand::Outcome::Finished) {
        endCommand(false);
        return;
    }
    refreshRubberBand(false);
    promptIfChanged();
}

// Runs event(command) on the running command and settles its outcome,
// unless the event itself ended it or started another.
template <class Event>
void Vecad::dispatch(Event&& event) {
    const std::shared_ptr<InteractiveCommand> running = command_;
    const InteractiveCommand::Outcome outcome = event(*running);
    if (command_ == running) {
        settle(outcome);
    }
}

void Vecad::refreshRubberBand(bool snapMoved) {
    RubberBand band = command_ ? command_->rubberBand(cursor_) : RubberBand{};
    if (band != rubberBand_ || snapMoved) {
        rubberBand_ = std::move(band);
        notify(&VecadListener::rubberBandChanged);
    }
}

void Vecad::promptIfChanged() {
    const std::string prompt = commandPrompt();
    if (prompt == shownPrompt_) {
        return;
    }
    shownPrompt_ = prompt;
    if (!prompt.empty()) {
        commandMessage(prompt);
    }
    if (listener_) {
        listener_->promptChanged(prompt);
    }
}

// ---------------------------------------------------------------- pointer and keys

CommandPoint Vecad::commandPoint(double windowX, double windowY) {
    CommandPoint p{{windowX, windowY}, view_.toWorld(windowX, windowY)};
    snapHit_.reset();
    if (!command_ || !command_->takesPoints()) {
        return p;
    }
    if (snapOn_ && snapMode_ != 0) {
        snapHit_ = findSnap(drawing_, p.world, view_.pickDistance(), snapMode_);
    }
    if (snapHit_) {
        p.world = snapHit_->point;
    } else if (polarOn_ && command_->followsPolar()) {
        if (const auto base = command_->basePoint()) {
            p.world = constrainAngle(*base, p.world, polarInc_);
        }
    }
    return p;
}

bool Vecad::pressAt(double windowX, double windowY, bool rightButton) {
    picked_ = GetEntityAtPoint(windowX, windowY);
    if (!command_) {
        return false;
    }
    if (rightButton) {
        dispatch([](InteractiveCommand& c) { return c.enter(); });
        return true;
    }
    const std::optional<SnapHit> before = snapHit_;
    const CommandPoint at = commandPoint(windowX, windowY);
    cursor_ = at.world;
    if (before != snapHit_) {
        notify(&VecadListener::rubberBandChanged);
    }
    dispatch([&](InteractiveCommand& c) { return c.press(at); });
    return true;
}

void Vecad::releaseAt(double windowX, double windowY) {
    if (!command_) {
        return;
    }
    const CommandPoint at = commandPoint(windowX, windowY);
    dispatch([&](InteractiveCommand& c) {
        c.release(at);
        return InteractiveCommand::Outcome::Running;
    });
}

void Vecad::cursorAt(double windowX, double windowY) {
    if (!command_) {
        return;
    }
    const std::optional<SnapHit> before = snapHit_;
    const CommandPoint at = commandPoint(windowX, windowY);
    cursor_ = at.world;
    command_->move(at);
    refreshRubberBand(before != snapHit_);
}

bool Vecad::commandKey(int keyCode) {
    if (!command_) {
        return false;
    }
    if (keyCode == kEnter) {
        dispatch([](InteractiveCommand& c) { return c.enter(); });
        return true;
    }
    if (keyCode == kEscape) {
        endCommand(true);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- typed input

void Vecad::commandInput(const std::string& text) {
    commandMessage("> " + text);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        commandKey(kEnter);
        return;
    }
    if (command_ && command_->takesPoints() && typedPoint(text)) {
        return;
    }
    if (const auto code = commandCodeFor(text)) {
        Execute(*code);
        return;
    }
    if (command_ && command_->takesPoints()) {
        commandMessage("Not a point or a command: \"" + text +
                       "\". Type x,y, @dx,dy, a distance or a command name.");
    } else {
        commandMessage("Unknown command: \"" + text + "\"");
    }
}

// Carries out a typed point; false when the text is not one. A point that
// cannot be placed leaves a message and counts as handled.
bool Vecad::typedPoint(const std::string& text) {
    const std::optional<TypedPoint> typed = parseTypedPoint(text);
    if (!typed) {
        return false;
    }
    Point2 world{typed->x, typed->y};
    if (typed->kind != TypedPoint::Kind::Absolute) {
        const std::optional<Point2> base = command_->basePoint();
        if (!base) {
            commandMessage("There is no last point yet: type the point as x,y");
            return true;
        }
        if (typed->kind == TypedPoint::Kind::Relative) {
            world = {base->x + typed->x, base->y + typed->y};
        } else {
            const double dx = cursor_.x - base->x, dy = cursor_.y - base->y;
            const double length = std::hypot(dx, dy);
            if (length == 0) {
                commandMessage("Move the cursor away from the last point to show the direction");
                return true;
            }
            world = {base->x + dx / length * typed->x, base->y + dy / length * typed->x};
        }
    }
    if (!std::isfinite(world.x) || !std::isfinite(world.y)) {
        commandMessage("That point lies beyond the numbers a drawing can hold");
        return true;
    }
    const Point2 window = view_.toWindow(world.x, world.y);
    const CommandPoint at{window, world};
    dispatch([&](InteractiveCommand& c) { return c.press(at); });
    return true;
}

void Vecad::commandMessage(const std::string& text) {
    if (history_.size() == kHistoryLines) {
        history_.pop_front();
    }
    history_.push_back(text);
    if (listener_) {
        listener_->commandLineAdded(text);
    }
}

void Vecad::notice(const std::string& text) {
    commandMessage(text);
    if (listener_) {
        listener_->notice(text);
    }
}

// ---------------------------------------------------------------- snaps

void Vecad::SnapPutMode(int bits) {
    snapMode_ = bits;
}

void Vecad::SnapPutOn(bool on) {
    snapOn_ = on;
    commandMessage(on ? "Snap on" : "Snap off");
}

// ---------------------------------------------------------------- views

void Vecad::rememberView() {
    viewHistory_.push({view_.center(), view_.scale()});
}

void Vecad::setView(Point2 center, double scale) {
    view_.set(center, scale);
    notify(&VecadListener::viewChanged);
}

void Vecad::zoomToBox(const Box2& box) {
    rememberView();
    view_.zoomExtents(box);
    notify(&VecadListener::viewChanged);
}

bool Vecad::ZoomPrevious() {
    const std::optional<ViewHistory::Entry> previous = viewHistory_.pop();
    if (!previous) {
        return false;
    }
    setView(previous->center, previous->scale);
    return true;
}

void Vecad::zoomSelected() {
    Box2 box;
    for (Handle h : selection_.order()) {
        const Entity* e = drawing_.find(h);
        if (!e || e->erased) {
            continue;
        }
        const Box2 b = boundingBox(*e, drawing_);
        if (std::isfinite(b.minX) && std::isfinite(b.maxX) && std::isfinite(b.minY) &&
            std::isfinite(b.maxY)) {
            box.add(b);
        }
    }
    if (box.empty()) {
        commandMessage("Zoom to Selected: nothing is selected");
        return;
    }
    zoomToBox(box);
}

// ---------------------------------------------------------------- selection and erase

int Vecad::selectInBox(const Box2& box, bool crossing) {
    int added = 0;
    for (Handle h : drawing_.inBox(box, crossing)) {
        if (selection_.add(h)) {
            ++added;
        }
    }
    WndRedraw();
    return added;
}

int Vecad::eraseSelection() {
    int erased = 0;
    {
        Drawing::Step step(drawing_, "Erase");
        for (Handle h : selection_.order()) {
            const Entity* e = drawing_.find(h);
            if (e && !e->erased) {
                drawing_.setErased(h, true);
                ++erased;
            }
        }
    }
    selection_.clear();
    Update();
    return erased;
}

void Vecad::erase() {
    if (runningCommand() == command::kErase) {
        commandKey(kEnter);  // its picks are the selection
        return;
    }
    if (selection_.empty()) {
        startCommand(makeInteractiveCommand(command::kErase, *this));
        return;
    }
    endCommand(true);
    eraseSelection();
}

}  // namespace brondel::engine
