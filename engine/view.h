#pragma once

#include "engine/geometry.h"

namespace brondel::engine {

// One control's view of its drawing: window size in pixels, the drawing
// point at the window's centre and the scale in drawing units per pixel.
// Window coordinates run right and down from the top-left corner.
class View {
  public:
    // The drawing control's size in a new drawing window (10965 x 7455 twips).
    static constexpr int kDefaultWidth = 731;
    static constexpr int kDefaultHeight = 497;

    int width() const { return width_; }
    int height() const { return height_; }
    void resize(int width, int height);

    Point2 center() const { return center_; }
    double scale() const { return scale_; }
    void set(Point2 center, double scale);

    double left() const { return center_.x - width_ * scale_ / 2; }
    double right() const { return center_.x + width_ * scale_ / 2; }
    double bottom() const { return center_.y - height_ * scale_ / 2; }
    double top() const { return center_.y + height_ * scale_ / 2; }

    Point2 toWorld(double wx, double wy) const;
    Point2 toWindow(double x, double y) const;

    // Pixels along each edge that the user cannot see: covered by another
    // window (a list, a panel) or cut off by a smaller drawing window. The
    // drawing still runs under them.
    struct Covered {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        bool operator==(const Covered&) const = default;
    };
    const Covered& covered() const { return covered_; }
    // Keeps the drawing point in the middle of the free part there.
    void setCovered(Covered covered);

    // Fits the box with a margin into the part of the window left uncovered;
    // an empty box shows the default area.
    void zoomExtents(const Box2& box);
    // factor > 1 zooms in; the drawing point under `about` stays there.
    void zoomBy(double factor, Point2 about);
    void zoomBy(double factor) { zoomBy(factor, center_); }

    // The program's pick and snap apertures in drawing units at this scale.
    double pickDistance() const;
    double snapDistance() const;

  private:
    int freeWidth() const;
    int freeHeight() const;
    Point2 freeMiddleOffset() const;
    Point2 freeMiddle() const;

    int width_ = kDefaultWidth;
    int height_ = kDefaultHeight;
    Point2 center_{50, 35};
    double scale_ = 0.15;
    Covered covered_;
};

}  // namespace brondel::engine
