#include "engine/current_properties_editor.h"

#include <charconv>
#include <optional>

#include "engine/drawing.h"
#include "engine/entity_properties.h"

namespace brondel::engine {

namespace {

std::optional<int> whole(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// "r,g,b" with each part 0 to 255.
std::optional<std::int32_t> trueColor(const std::string& text) {
    std::int32_t rgb = 0;
    std::size_t from = 0;
    for (int part = 0; part < 3; ++part) {
        const std::size_t comma = text.find(',', from);
        if ((part < 2) != (comma != std::string::npos)) {
            return std::nullopt;
        }
        const std::optional<int> v = whole(std::string_view(text).substr(
            from, comma == std::string::npos ? std::string::npos : comma - from));
        if (!v || *v < 0 || *v > 255) {
            return std::nullopt;
        }
        rgb = (rgb << 8) | *v;
        from = comma + 1;
    }
    return rgb;
}

}  // namespace

Color CurrentPropertiesEditor::color() const {
    return drawing_.header().currentColor;
}

int CurrentPropertiesEditor::lineWeight() const {
    return drawing_.header().currentLineWeight;
}

std::string CurrentPropertiesEditor::setColor(Color color) {
    if (color.aci < Color::kByBlock || color.aci > Color::kByLayer) {
        return "A colour is ByLayer, ByBlock or a number from 1 to 255";
    }
    if (color.trueColor < -1 || color.trueColor > 0xFFFFFF) {
        return "A true colour has three parts from 0 to 255";
    }
    DrawingHeader header = drawing_.header();
    header.currentColor = color;
    Drawing::Step step(drawing_, title());
    drawing_.setHeader(header);
    return {};
}

std::string CurrentPropertiesEditor::setLineWeight(int weight) {
    if (!isLineWeight(weight)) {
        return "Not a line weight: " + std::to_string(weight) +
               " (hundredths of a millimetre, 0 to 211)";
    }
    DrawingHeader header = drawing_.header();
    header.currentLineWeight = static_cast<std::int16_t>(weight);
    Drawing::Step step(drawing_, title());
    drawing_.setHeader(header);
    return {};
}

std::string CurrentPropertiesEditor::title() const {
    return kind_ == Kind::Color ? "Format Colors" : "Format Line Weight";
}

std::string CurrentPropertiesEditor::prompt() const {
    if (kind_ == Kind::Color) {
        return "Current colour: " + colorName(color()) +
               "\rType ByLayer, ByBlock, a colour number 1-255 or R,G,B; nothing to close";
    }
    return "Current line weight: " + lineWeightName(static_cast<std::int16_t>(lineWeight())) +
           "\rType ByLayer, ByBlock, Default or hundredths of a millimetre (0-211); nothing to "
           "close";
}

std::string typedColor(const std::string& word, Color& color) {
    const std::string w = lowerCase(word);
    if (w == "bylayer") {
        color = Color{Color::kByLayer, -1};
    } else if (w == "byblock") {
        color = Color{Color::kByBlock, -1};
    } else if (const std::optional<int> aci = whole(w)) {
        if (*aci < 1 || *aci > 255) {
            return "A colour number is from 1 to 255";
        }
        color = Color{static_cast<std::int16_t>(*aci), -1};
    } else if (const std::optional<std::int32_t> rgb = trueColor(w)) {
        color = Color{7, *rgb};
    } else {
        return "Not a colour: " + word;
    }
    return {};
}

std::string CurrentPropertiesEditor::colorCommand(const std::string& word) {
    Color color;
    if (std::string why = typedColor(word, color); !why.empty()) {
        return why;
    }
    return setColor(color);
}

std::string CurrentPropertiesEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.size() != 1) {
        return "Not understood: " + line;
    }
    if (kind_ == Kind::Color) {
        return colorCommand(w[0]);
    }
    const std::string word = lowerCase(w[0]);
    if (word == "bylayer") {
        return setLineWeight(lineweight::kByLayer);
    }
    if (word == "byblock") {
        return setLineWeight(lineweight::kByBlock);
    }
    if (word == "default") {
        return setLineWeight(lineweight::kDefault);
    }
    const std::optional<int> weight = whole(word);
    if (!weight || *weight < 0) {
        return "Not a line weight: " + w[0];
    }
    return setLineWeight(*weight);
}

}  // namespace brondel::engine
