#include "engine/view_commands.h"

#include <cmath>

#include "engine/commands.h"
#include "engine/vecad.h"

namespace brondel::engine {

int ZoomWindowCommand::code() const {
    return command::kZoomWindow;
}

InteractiveCommand::Outcome ZoomWindowCommand::corners(Point2 first, Point2 second) {
    if (second == first) {
        vecad_.commandMessage("Zoom Window: the corners are the same point");
        return Outcome::Running;
    }
    Box2 box;
    box.add(first.x, first.y);
    box.add(second.x, second.y);
    vecad_.zoomToBox(box);
    return Outcome::Finished;
}

int ZoomRealtimeCommand::code() const {
    return command::kZoomRealtime;
}

std::string ZoomRealtimeCommand::prompt() const {
    return "Zoom Realtime: drag up to zoom in, down to zoom out (Enter to end)";
}

InteractiveCommand::Outcome ZoomRealtimeCommand::press(const CommandPoint& at) {
    vecad_.rememberView();
    drag_ = Drag{at.window, at.world, vecad_.view().scale()};
    return Outcome::Running;
}

void ZoomRealtimeCommand::move(const CommandPoint& at) {
    if (!drag_) {
        return;
    }
    const View& view = vecad_.view();
    const double factor = std::exp2((drag_->window.y - at.window.y) / kPixelsPerDoubling);
    const double scale = drag_->scale / factor;
    // The point first pressed stays under the place it was pressed at.
    const Point2 center{drag_->world.x - (drag_->window.x - view.width() / 2.0) * scale,
                        drag_->world.y + (drag_->window.y - view.height() / 2.0) * scale};
    vecad_.setView(center, scale);
}

int PanRealtimeCommand::code() const {
    return command::kPanRealtime;
}

std::string PanRealtimeCommand::prompt() const {
    return "Pan Realtime: drag to move the view (Enter to end)";
}

InteractiveCommand::Outcome PanRealtimeCommand::press(const CommandPoint& at) {
    vecad_.rememberView();
    drag_ = Drag{at.window, vecad_.view().center()};
    return Outcome::Running;
}

void PanRealtimeCommand::move(const CommandPoint& at) {
    if (!drag_) {
        return;
    }
    const double scale = vecad_.view().scale();
    const Point2 center{drag_->center.x - (at.window.x - drag_->window.x) * scale,
                        drag_->center.y + (at.window.y - drag_->window.y) * scale};
    vecad_.setView(center, scale);
}

int PanToPointCommand::code() const {
    return command::kPanToPoint;
}

InteractiveCommand::Outcome PanToPointCommand::press(const CommandPoint& at) {
    vecad_.rememberView();
    vecad_.setView(at.world, vecad_.view().scale());
    return Outcome::Finished;
}

}  // namespace brondel::engine
