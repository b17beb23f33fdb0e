#include "engine/view_direction.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

namespace brondel::engine {

namespace {

struct DirectionRow {
    ViewDirection direction;
    int code;
    const char* name;
    const char* words;  // blank-separated, lower case
};

constexpr DirectionRow kDirections[] = {
    {ViewDirection::Top, 131, "Top", "top plan"},
    {ViewDirection::Bottom, 132, "Bottom", "bottom"},
    {ViewDirection::Left, 133, "Left", "left"},
    {ViewDirection::Right, 134, "Right", "right"},
    {ViewDirection::Front, 135, "Front", "front"},
    {ViewDirection::Back, 136, "Back", "back"},
    {ViewDirection::SouthWest, 137, "S.W. isometric", "sw s.w."},
    {ViewDirection::SouthEast, 138, "S.E. isometric", "se s.e."},
    {ViewDirection::NorthEast, 139, "N.E. isometric", "ne n.e."},
    {ViewDirection::NorthWest, 130, "N.W. isometric", "nw n.w."},
};

const DirectionRow& rowOf(ViewDirection d) {
    return *std::ranges::find(kDirections, d, &DirectionRow::direction);
}

Point3 unit(Point3 v) {
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return v * (1 / length);
}

Point3 cross(Point3 a, Point3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Seen from `eye` (a direction towards the viewer): up is the world's z as
// it shows, right completes a right-handed screen.
ViewAxes axesFrom(Point3 eye) {
    const Point3 toViewer = unit(eye);
    const Point3 up = unit(Point3{0, 0, 1} - toViewer * toViewer.z);
    return {cross(up, toViewer), up};
}

}  // namespace

ViewAxes viewAxes(ViewDirection d) {
    switch (d) {
        case ViewDirection::Top:
            return {{1, 0, 0}, {0, 1, 0}};
        case ViewDirection::Bottom:
            // From below, turned over the x axis: x still runs right.
            return {{1, 0, 0}, {0, -1, 0}};
        case ViewDirection::Left:
            return axesFrom({-1, 0, 0});
        case ViewDirection::Right:
            return axesFrom({1, 0, 0});
        case ViewDirection::Front:
            return axesFrom({0, -1, 0});
        case ViewDirection::Back:
            return axesFrom({0, 1, 0});
        case ViewDirection::SouthWest:
            return axesFrom({-1, -1, 1});
        case ViewDirection::SouthEast:
            return axesFrom({1, -1, 1});
        case ViewDirection::NorthEast:
            return axesFrom({1, 1, 1});
        case ViewDirection::NorthWest:
            return axesFrom({-1, 1, 1});
    }
    return {{1, 0, 0}, {0, 1, 0}};
}

int viewDirectionCode(ViewDirection d) {
    return rowOf(d).code;
}

std::optional<ViewDirection> viewDirectionOfCode(int code) {
    const auto* row = std::ranges::find(kDirections, code, &DirectionRow::code);
    return row != std::end(kDirections) ? std::optional(row->direction) : std::nullopt;
}

std::string viewDirectionName(ViewDirection d) {
    return rowOf(d).name;
}

std::optional<ViewDirection> viewDirectionNamed(const std::string& word) {
    std::string lower = word;
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
    for (const DirectionRow& row : kDirections) {
        std::string_view words = row.words;
        while (!words.empty()) {
            const std::size_t blank = words.find(' ');
            if (words.substr(0, blank) == lower) {
                return row.direction;
            }
            words = blank == std::string_view::npos ? std::string_view() : words.substr(blank + 1);
        }
    }
    return std::nullopt;
}

}  // namespace brondel::engine
