#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

// Plain geometry values shared by the model, the index and the readers.
namespace brondel::engine {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

struct Point2 {
    double x = 0, y = 0;
    bool operator==(const Point2&) const = default;
};

struct Point3 {
    double x = 0, y = 0, z = 0;
    bool operator==(const Point3&) const = default;
};

inline Point3 operator+(Point3 a, Point3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Point3 operator-(Point3 a, Point3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Point3 operator*(Point3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}

inline double planarDistance(double ax, double ay, double bx, double by) {
    return std::hypot(ax - bx, ay - by);
}

// Axis-aligned box in the drawing plane; empty until something is added.
struct Box2 {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool empty() const { return minX > maxX || minY > maxY; }
    void add(double x, double y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }
    void add(const Box2& b) {
        if (!b.empty()) {
            add(b.minX, b.minY);
            add(b.maxX, b.maxY);
        }
    }
    bool bounded() const {
        return std::isfinite(minX) && std::isfinite(minY) && std::isfinite(maxX) &&
               std::isfinite(maxY);
    }
    // What has no finite box (a construction line, a ray) has no extent.
    void addBounded(const Box2& b) {
        if (b.bounded()) {
            add(b);
        }
    }
    double width() const { return empty() ? 0 : maxX - minX; }
    double height() const { return empty() ? 0 : maxY - minY; }
};

}  // namespace brondel::engine
