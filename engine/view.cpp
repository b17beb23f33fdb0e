#include "engine/view.h"

#include <algorithm>

#include "engine/cad.h"

namespace brondel::engine {

namespace {
constexpr double kExtentsMargin = 1.05;  // leave a little room around fitted extents
constexpr double kMinScale = 1e-12;
constexpr double kMaxScale = 1e12;
}  // namespace

void View::resize(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
}

void View::set(Point2 center, double scale) {
    if (std::isfinite(center.x) && std::isfinite(center.y)) {
        center_ = center;
    }
    if (std::isfinite(scale)) {
        scale_ = std::clamp(scale, kMinScale, kMaxScale);
    }
}

Point2 View::toWorld(double wx, double wy) const {
    return {center_.x + (wx - width_ / 2.0) * scale_, center_.y - (wy - height_ / 2.0) * scale_};
}

Point2 View::toWindow(double x, double y) const {
    return {(x - center_.x) / scale_ + width_ / 2.0, height_ / 2.0 - (y - center_.y) / scale_};
}

// The drawing point in the middle of the free part stays there, so a list
// shown or a window made smaller moves the drawing rather than hiding it.
void View::setCovered(Covered covered) {
    covered = {std::max(0, covered.left), std::max(0, covered.top), std::max(0, covered.right),
               std::max(0, covered.bottom)};
    if (covered == covered_) {
        return;
    }
    const Point2 middle = freeMiddle();
    covered_ = covered;
    const Point2 shift = freeMiddleOffset();
    set({middle.x - shift.x * scale_, middle.y + shift.y * scale_}, scale_);
}

// A window covered almost whole keeps a quarter of itself free.
int View::freeWidth() const {
    return std::max(width_ - covered_.left - covered_.right, std::max(1, width_ / 4));
}

int View::freeHeight() const {
    return std::max(height_ - covered_.top - covered_.bottom, std::max(1, height_ / 4));
}

// From the window's centre to the free part's, in pixels (y runs down).
Point2 View::freeMiddleOffset() const {
    const int freeLeft = std::min(covered_.left, width_ - freeWidth());
    const int freeTop = std::min(covered_.top, height_ - freeHeight());
    return {freeLeft + freeWidth() / 2.0 - width_ / 2.0,
            freeTop + freeHeight() / 2.0 - height_ / 2.0};
}

Point2 View::freeMiddle() const {
    const Point2 shift = freeMiddleOffset();
    return toWorld(width_ / 2.0 + shift.x, height_ / 2.0 + shift.y);
}

void View::zoomExtents(const Box2& box) {
    if (box.empty()) {
        set({50, 35}, 0.15);
        return;
    }
    const double w = std::max(box.width(), 1e-9);
    const double h = std::max(box.height(), 1e-9);
    const double scale = std::max(w / freeWidth(), h / freeHeight()) * kExtentsMargin;
    // The box's middle goes to the middle of the free part.
    const Point2 shift = freeMiddleOffset();
    set({(box.minX + box.maxX) / 2 - shift.x * scale, (box.minY + box.maxY) / 2 + shift.y * scale},
        scale);
}

void View::zoomBy(double factor, Point2 about) {
    if (!(factor > 0)) {
        return;
    }
    const double scale = std::clamp(scale_ / factor, kMinScale, kMaxScale);
    const double applied = scale_ / scale;
    set({about.x + (center_.x - about.x) / applied, about.y + (center_.y - about.y) / applied},
        scale);
}

double View::pickDistance() const {
    return CadGetPickAperture() * scale_;
}

double View::snapDistance() const {
    return CadGetSnapAperture() * scale_;
}

}  // namespace brondel::engine
