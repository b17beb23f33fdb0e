#include "engine/point_style_editor.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "engine/drawing.h"
#include "engine/point_marker.h"

namespace brondel::engine {

namespace {

// Larger sizes are typing slips.
constexpr double kLargest = 1e6;

}  // namespace

std::string PointStyleEditor::setMode(int mode) {
    if (!isPointMode(mode)) {
        return "A point mode is 0 to 4, plus 32 for a circle and 64 for a square";
    }
    if (mode != drawing_.header().pointMode) {
        DrawingHeader h = drawing_.header();
        h.pointMode = mode;
        Drawing::Step step(drawing_, title());
        drawing_.setHeader(h);
    }
    return {};
}

std::string PointStyleEditor::setSize(double size) {
    if (!std::isfinite(size) || std::fabs(size) > kLargest) {
        return "A point size is a number of drawing units, or below 0 a percentage of the view";
    }
    if (size != drawing_.header().pointSize) {
        DrawingHeader h = drawing_.header();
        h.pointSize = size;
        Drawing::Step step(drawing_, title());
        drawing_.setHeader(h);
    }
    return {};
}

std::string PointStyleEditor::prompt() const {
    const DrawingHeader& h = drawing_.header();
    return "Points: mode " + std::to_string(h.pointMode) + ", size " + std::to_string(h.pointSize) +
           "\rType: mode N (0 dot, 1 none, 2 plus, 3 cross, 4 tick; add 32 for a circle, 64 "
           "for a square), size S (drawing units; below 0: percent of the view); nothing to "
           "close";
}

std::string PointStyleEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.size() != 2) {
        return w.empty() ? "Nothing typed" : "Not understood: " + line;
    }
    const std::string verb = lowerCase(w[0]);
    double value = 0;
    const char* end = w[1].data() + w[1].size();
    const auto [stop, ec] = std::from_chars(w[1].data(), end, value);
    if (ec != std::errc() || stop != end) {
        return "Not a number: " + w[1];
    }
    if (verb == "mode") {
        return value == std::floor(value) && std::fabs(value) < 1000
                   ? setMode(static_cast<int>(value))
                   : setMode(-1);
    }
    if (verb == "size") {
        return setSize(value);
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
