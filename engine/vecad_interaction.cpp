// The control's interactive side: running commands, pointer and typed
// input, snaps, the command window's history and the views Zoom Previous
// returns to.
#include <cmath>

#include "base/error.h"
#include "engine/command_input.h"
#include "engine/commands.h"
#include "engine/grid_snap.h"
#include "engine/polar_constraint.h"
#include "engine/preview_entities.h"
#include "engine/shape.h"
#include "engine/tools/select_first.h"
#include "engine/vecad.h"

namespace brondel::engine {

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;

// The one line that says what a running command takes.
std::string expected(const ToolAsk& ask) {
    std::string what;
    const auto either = [&](const std::string& more) {
        what += (what.empty() ? "Type " : ", ") + more;
    };
    if (ask.point) {
        either("a point (x,y, @dx,dy or @distance<angle)");
    }
    if (ask.number) {
        either("a number");
    }
    for (const std::string& option : ask.options) {
        either(option);
    }
    if (what.empty()) {
        return "Pick in the drawing, or press Enter.";
    }
    return what + " or press Enter.";
}

}  // namespace

// ---------------------------------------------------------------- running commands

int Vecad::runningCommand() const {
    return command_ ? commandRow_->code : 0;
}

std::string Vecad::commandPrompt() const {
    return command_ ? askPrompt(commandRow_->caption, command_->ask()) : std::string();
}

// A command of the table that has a tool starts it; the same command
// given again while it picks its entities goes on with them, as Enter.
void Vecad::startOrNotice(int code) {
    const CommandRow* row = findCommand(code);
    if (!row || !row->makeTool) {
        notice(notAvailableNotice(code));
    } else if (viewDirection_ != ViewDirection::Top && !row->inAnyView) {
        notice(std::string(row->caption) +
               " works in the XY plane, which the top view shows: choose 3D Top (Nadir) first");
    } else if (row->onSelection && runningCommand() == code) {
        commandKey(kEnter);
    } else {
        startCommand(*row);
    }
}

void Vecad::startCommand(const CommandRow& row) {
    endCommand(Ending::Takeover);
    std::unique_ptr<Tool> tool = row.makeTool();
    if (row.onSelection && selection_.empty()) {
        tool = tools::selectFirst(std::move(tool));
    }
    command_ = std::move(tool);
    commandRow_ = &row;
    const std::shared_ptr<Tool> running = command_;
    const ToolResult result = running->begin(toolContext_);
    if (command_ == running) {
        settle(result);
    }
}

// A command another one takes over from ends as Enter would end it; one
// that would still go on is cancelled.
void Vecad::endCommand(Ending how) {
    if (!command_) {
        return;
    }
    if (how == Ending::Takeover) {
        const std::shared_ptr<Tool> running = command_;
        const ToolResult result = running->update(toolContext_, ToolEvent{});
        if (command_ == running && result != ToolResult::Running) {
            settle(result);
            return;
        }
    }
    if (!command_) {
        return;
    }
    const std::shared_ptr<Tool> ending = std::move(command_);
    ending->cancel(toolContext_);
    const bool hadSnap = snapHit_.has_value();
    snapHit_.reset();
    refreshRubberBand(hadSnap);
    promptIfChanged();
}

void Vecad::settle(ToolResult result) {
    if (result == ToolResult::Running) {
        refreshRubberBand(false);
        promptIfChanged();
        return;
    }
    const std::shared_ptr<Tool> ending = std::move(command_);
    if (result == ToolResult::Commit) {
        command_ = ending;  // apply may read the view and the selection through it
        commit();
        command_.reset();
    } else if (result == ToolResult::Cancel) {
        ending->cancel(toolContext_);
    }
    const bool hadSnap = snapHit_.has_value();
    snapHit_.reset();
    refreshRubberBand(hadSnap);
    promptIfChanged();
}

// The command's changes as one undo step named by its caption; a failure
// takes back what the step had done.
void Vecad::commit() {
    const std::string caption = commandRow_->caption;
    toolContext_.changes = 0;
    try {
        Drawing::Step step(drawing_, caption);
        command_->apply(toolContext_);
    } catch (const Error& e) {
        if (toolContext_.changes > 0 && drawing_.canUndo()) {
            drawing_.discardLastStep();
        }
        commandMessage(caption + ": " + e.description());
    }
    if (toolContext_.changes > 0) {
        Update();
    }
}

// Runs event(command) on the running command and settles its result,
// unless the event itself ended it or started another.
template <class Event>
void Vecad::dispatch(Event&& event) {
    const std::shared_ptr<Tool> running = command_;
    const ToolResult result = event(*running);
    if (command_ == running) {
        settle(result);
    }
}

void Vecad::refreshRubberBand(bool snapMoved) {
    RubberBand band;
    std::vector<Entity> shown;
    if (command_) {
        band.rectangle = command_->frame(cursor_);
        shown = command_->preview(cursor_);
    }
    const bool changed = band != rubberBand_ || !shown.empty() || preview_.liveCount() > 0;
    for (Entity& e : shown) {
        e.editProps().layer = drawing_.currentLayer();
    }
    // The preview is drawn as its entities will be: by the drawing's header
    // (dimension style, point style), not the preview's defaults.
    if (!(preview_.header() == drawing_.header())) {
        preview_.setHeader(drawing_.header());
    }
    showPreview(preview_, std::move(shown));
    if (changed || snapMoved) {
        rubberBand_ = band;
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
    if (!command_ || !command_->ask().point) {
        return p;
    }
    if (snapOn_ && snapMode_ != 0) {
        snapHit_ =
            findSnap(shown(), p.world, view_.snapDistance(), snapMode_, command_->basePoint());
    }
    if (snapHit_) {
        p.world = snapHit_->point;
        return p;
    }
    if (gridSnap_) {
        p.world = nearestGridPoint(p.world, gridStep_);
    }
    // After the grid, so a tracked angle holds: from a base on the grid the
    // ortho directions still end on it.
    if (polarOn_ && command_->followsPolar()) {
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
        dispatch([&](Tool& t) { return t.update(toolContext_, ToolEvent{}); });
        return true;
    }
    const std::optional<SnapHit> before = snapHit_;
    const CommandPoint at = commandPoint(windowX, windowY);
    cursor_ = at.world;
    if (before != snapHit_) {
        notify(&VecadListener::rubberBandChanged);
    }
    dispatch([&](Tool& t) {
        return t.update(toolContext_, ToolEvent{ToolEvent::Kind::Point, at, 0, {}});
    });
    return true;
}

void Vecad::releaseAt(double windowX, double windowY) {
    if (!command_) {
        return;
    }
    const CommandPoint at = commandPoint(windowX, windowY);
    dispatch([&](Tool& t) {
        return t.update(toolContext_, ToolEvent{ToolEvent::Kind::Release, at, 0, {}});
    });
}

void Vecad::cursorAt(double windowX, double windowY) {
    if (!command_) {
        return;
    }
    const std::optional<SnapHit> before = snapHit_;
    const CommandPoint at = commandPoint(windowX, windowY);
    cursor_ = at.world;
    dispatch([&](Tool& t) {
        return t.update(toolContext_, ToolEvent{ToolEvent::Kind::Move, at, 0, {}});
    });
    if (before != snapHit_) {
        refreshRubberBand(true);
    }
}

bool Vecad::commandKey(int keyCode) {
    if (!command_) {
        return false;
    }
    if (keyCode == kEnter) {
        dispatch([&](Tool& t) { return t.update(toolContext_, ToolEvent{}); });
        return true;
    }
    if (keyCode == kEscape) {
        endCommand(Ending::Cancel);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- typed input

void Vecad::commandInput(const std::string& text) {
    commandMessage("> " + text);
    if (command_) {
        if (std::optional<ToolEvent> event = typedEvent(text)) {
            if (event->kind != ToolEvent::Kind::Move) {  // Move: refused, already said
                dispatch([&](Tool& t) { return t.update(toolContext_, *event); });
            }
            return;
        }
    } else if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        return;
    }
    if (const auto code = commandCodeFor(text)) {
        Execute(*code);
        return;
    }
    if (command_) {
        commandMessage(commandRow_->caption + std::string(": \"") + text +
                       "\" is not what is asked. " + expected(command_->ask()));
    } else {
        commandMessage("Unknown command: \"" + text + "\"");
    }
}

// What a typed line means to the running command, or nullopt when it means
// nothing to it. A point that cannot be placed is refused here with a
// message, and comes back as a Move, which is not passed on.
std::optional<ToolEvent> Vecad::typedEvent(const std::string& text) {
    const ToolAsk ask = command_->ask();
    ToolEvent event;
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        return event;  // Enter
    }
    if (const auto option = matchOption(ask.options, text)) {
        event.kind = ToolEvent::Kind::Option;
        event.text = *option;
        return event;
    }
    if (ask.text) {
        event.kind = ToolEvent::Kind::Text;
        event.text = text;
        return event;
    }
    if (ask.number) {
        if (const auto n = parseTypedNumber(text)) {
            event.kind = ToolEvent::Kind::Number;
            event.number = *n;
            return event;
        }
    }
    if (ask.point && parseTypedPoint(text)) {
        const std::optional<Point2> world = typedPoint(text);
        event.kind = world ? ToolEvent::Kind::Point : ToolEvent::Kind::Move;
        if (world) {
            event.at = CommandPoint{view_.toWindow(world->x, world->y), *world};
        }
        return event;
    }
    return std::nullopt;
}

// The drawing point a typed point stands for; nullopt, with a message,
// when it cannot be placed.
std::optional<Point2> Vecad::typedPoint(const std::string& text) {
    const std::optional<TypedPoint> typed = parseTypedPoint(text);
    Point2 world{typed->x, typed->y};
    if (typed->kind != TypedPoint::Kind::Absolute) {
        const std::optional<Point2> base = command_->basePoint();
        if (!base) {
            commandMessage("There is no last point yet: type the point as x,y");
            return std::nullopt;
        }
        if (typed->kind == TypedPoint::Kind::Relative) {
            world = {base->x + typed->x, base->y + typed->y};
        } else if (typed->kind == TypedPoint::Kind::Polar) {
            const double a = typed->y * kPi / 180;
            world = {base->x + typed->x * std::cos(a), base->y + typed->x * std::sin(a)};
        } else {
            const double dx = cursor_.x - base->x, dy = cursor_.y - base->y;
            const double length = std::hypot(dx, dy);
            if (length == 0) {
                commandMessage("Move the cursor away from the last point to show the direction");
                return std::nullopt;
            }
            world = {base->x + dx / length * typed->x, base->y + dy / length * typed->x};
        }
    }
    if (!std::isfinite(world.x) || !std::isfinite(world.y)) {
        commandMessage("That point lies beyond the numbers a drawing can hold");
        return std::nullopt;
    }
    return world;
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

void Vecad::GridPutStep(double step) {
    if (std::isfinite(step) && step > 0) {
        gridStep_ = step;
    }
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
    const Box2 box = shownSelectionBox();
    if (box.empty()) {
        commandMessage("Zoom to Selected: nothing is selected");
        return;
    }
    zoomToBox(box);
}

// ---------------------------------------------------------------- selection

int Vecad::selectInBox(const Box2& box, bool crossing) {
    int added = 0;
    for (Handle h : shownInBox(box, crossing)) {
        if (selection_.add(h)) {
            ++added;
        }
    }
    WndRedraw();
    return added;
}

int Vecad::selectMany(const std::vector<Handle>& handles) {
    int added = 0;
    for (Handle h : handles) {
        const Entity* e = drawing_.find(h);
        if (e && !e->erased && selection_.add(h)) {
            ++added;
        }
    }
    WndRedraw();
    return added;
}

}  // namespace brondel::engine
