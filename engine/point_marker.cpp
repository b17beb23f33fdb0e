#include "engine/point_marker.h"

#include <cmath>

namespace brondel::engine {

namespace {

constexpr int kCircle = 32;
constexpr int kSquare = 64;
constexpr int kChords = 24;

}  // namespace

bool isPointMode(int mode) {
    return mode >= 0 && (mode & 7) <= 4 && (mode & ~(7 | kCircle | kSquare)) == 0;
}

double pointMarkerSize(double pointSize, double viewHeight) {
    if (pointSize > 0) {
        return pointSize;
    }
    return viewHeight * (pointSize < 0 ? -pointSize : 5) / 100;
}

std::vector<MarkerStroke> pointMarker(Point2 at, int mode, double size) {
    std::vector<MarkerStroke> out;
    const double h = size / 2;
    const auto stroke = [&](double x1, double y1, double x2, double y2) {
        out.push_back({{at.x + x1, at.y + y1}, {at.x + x2, at.y + y2}});
    };
    switch (mode & 7) {
        case 2:
            stroke(-h, 0, h, 0);
            stroke(0, -h, 0, h);
            break;
        case 3:
            stroke(-h, -h, h, h);
            stroke(-h, h, h, -h);
            break;
        case 4:
            stroke(0, 0, 0, h);
            break;
        default:
            break;
    }
    if (mode & kCircle) {
        const double step = 2 * std::acos(-1.0) / kChords;
        for (int i = 0; i < kChords; ++i) {
            stroke(h * std::cos(i * step), h * std::sin(i * step), h * std::cos((i + 1) * step),
                   h * std::sin((i + 1) * step));
        }
    }
    if (mode & kSquare) {
        stroke(-h, -h, h, -h);
        stroke(h, -h, h, h);
        stroke(h, h, -h, h);
        stroke(-h, h, -h, -h);
    }
    return out;
}

}  // namespace brondel::engine
