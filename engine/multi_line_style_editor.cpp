#include "engine/multi_line_style_editor.h"

#include <cmath>
#include <optional>

#include "engine/current_properties_editor.h"
#include "engine/drawing.h"
#include "engine/entity_properties.h"
#include "engine/measure.h"

namespace brondel::engine {

namespace {

// Larger offsets or scales are typing slips.
constexpr double kLargest = 1e6;

}  // namespace

std::string refusedMultiLineStyle(const std::vector<double>& offsets,
                                  const std::vector<Color>& colors, double scale) {
    if (offsets.empty()) {
        return "A multi-line style needs at least one line";
    }
    if (colors.size() != offsets.size()) {
        return "Give one colour for each line";
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

std::string MultiLineStyleEditor::apply(const std::vector<double>& offsets,
                                        const std::vector<Color>& colors, double scale) {
    if (std::string why = refusedMultiLineStyle(offsets, colors, scale); !why.empty()) {
        return why;
    }
    const DrawingHeader& now = drawing_.header();
    if (offsets == now.multiLineOffsets && colors == now.multiLineColors &&
        scale == now.multiLineScale) {
        return {};
    }
    DrawingHeader h = now;
    h.multiLineOffsets = offsets;
    h.multiLineColors = colors;
    h.multiLineScale = scale;
    Drawing::Step step(drawing_, title());
    drawing_.setHeader(h);
    return {};
}

std::string MultiLineStyleEditor::prompt() const {
    const DrawingHeader& h = drawing_.header();
    std::string offsets, colors;
    for (double v : h.multiLineOffsets) {
        offsets += " " + shownNumber(v);
    }
    for (const Color& c : h.multiLineColors) {
        colors += " " + colorName(c);
    }
    return "Multi-line style: offsets" + offsets + ", colours" + colors + ", scale " +
           shownNumber(h.multiLineScale) +
           "\rType: offsets A B ... (left of the centre line), colors C D ... (ByLayer, "
           "ByBlock, 1-255 or R,G,B), scale S; nothing to close";
}

std::string MultiLineStyleEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.empty()) {
        return "Nothing typed";
    }
    const std::string verb = lowerCase(w[0]);
    const DrawingHeader& h = drawing_.header();
    if (verb == "colors" || verb == "colours") {
        std::vector<Color> colors(w.size() - 1);
        for (std::size_t i = 1; i < w.size(); ++i) {
            if (std::string why = typedColor(w[i], colors[i - 1]); !why.empty()) {
                return why;
            }
        }
        return apply(h.multiLineOffsets, colors, h.multiLineScale);
    }
    std::vector<double> values;
    for (std::size_t i = 1; i < w.size(); ++i) {
        const std::optional<double> value = typedNumber(w[i]);
        if (!value) {
            return "Not a number: " + w[i];
        }
        values.push_back(*value);
    }
    if (verb == "offsets") {
        // Lines keep their colours by place; added ones take ByLayer.
        std::vector<Color> colors = h.multiLineColors;
        colors.resize(values.size());
        return apply(values, colors, h.multiLineScale);
    }
    if (verb == "scale" && values.size() == 1) {
        return apply(h.multiLineOffsets, h.multiLineColors, values.front());
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
