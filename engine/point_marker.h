#pragma once

#include <vector>

#include "engine/geometry.h"

// How points look ($PDMODE, $PDSIZE): the low bits choose the figure (0 a
// dot, 1 nothing, 2 a plus, 3 a cross, 4 a tick upwards), 32 adds a circle
// and 64 a square around it.
namespace brondel::engine {

struct MarkerStroke {
    Point2 a, b;
};

bool isPointMode(int mode);
// Whether a mode shows a dot (drawn by the painter at a fixed pixel size).
inline bool pointModeDot(int mode) {
    return (mode & 7) == 0;
}

// The marker's size in drawing units: pointSize itself when above 0, that
// share in percent of the view's height when below 0, 5 % of it at 0.
double pointMarkerSize(double pointSize, double viewHeight);

// The strokes of the figure, circle and square, `size` across, around the
// point, in drawing units; the circle is made of 24 chords.
std::vector<MarkerStroke> pointMarker(Point2 at, int mode, double size);

}  // namespace brondel::engine
