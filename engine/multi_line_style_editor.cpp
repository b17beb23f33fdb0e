#include "engine/multi_line_style_editor.h"

#include <cmath>
#include <optional>

#include "engine/drawing.h"
#include "engine/measure.h"

namespace brondel::engine {

namespace {

// Larger offsets or scales are typing slips.
constexpr double kLargest = 1e6;

}  // namespace

std::string refusedMultiLineStyle(const std::vector<double>& offsets, double scale) {
    if (offsets.empty()) {
        return "A multi-line style needs at least one line";
    }
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        if (!std::isfinite(offsets[i]) || std::fabs(offsets[i]) > kLargest) {
            return "An offset is a number of drawing units";
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (offsets[j] == offsets[i]) {
                return "Two lines of a multi-line style cannot share an offset";
            }
        }
    }
    if (!std::isfinite(scale) || scale <= 0 || scale > kLargest) {
        return "The scale is a number above 0";
    }
    return {};
}

std::string MultiLineStyleEditor::apply(const std::vector<double>& offsets, double scale) {
    if (std::string why = refusedMultiLineStyle(offsets, scale); !why.empty()) {
        return why;
    }
    const DrawingHeader& now = drawing_.header();
    if (offsets == now.multiLineOffsets && scale == now.multiLineScale) {
        return {};
    }
    DrawingHeader h = now;
    h.multiLineOffsets = offsets;
    h.multiLineScale = scale;
    Drawing::Step step(drawing_, title());
    drawing_.setHeader(h);
    return {};
}

std::string MultiLineStyleEditor::prompt() const {
    const DrawingHeader& h = drawing_.header();
    std::string offsets;
    for (double v : h.multiLineOffsets) {
        offsets += " " + shownNumber(v);
    }
    return "Multi-line style: offsets" + offsets + ", scale " + shownNumber(h.multiLineScale) +
           "\rType: offsets A B ... (left of the centre line), scale S; nothing to close";
}

std::string MultiLineStyleEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.empty()) {
        return "Nothing typed";
    }
    const std::string verb = lowerCase(w[0]);
    std::vector<double> values;
    for (std::size_t i = 1; i < w.size(); ++i) {
        const std::optional<double> value = typedNumber(w[i]);
        if (!value) {
            return "Not a number: " + w[i];
        }
        values.push_back(*value);
    }
    const DrawingHeader& h = drawing_.header();
    if (verb == "offsets") {
        return apply(values, h.multiLineScale);
    }
    if (verb == "scale" && values.size() == 1) {
        return apply(h.multiLineOffsets, values.front());
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
