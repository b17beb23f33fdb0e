#include "engine/text_style_editor.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "engine/drawing.h"
#include "engine/geometry.h"
#include "engine/measure.h"

namespace brondel::engine {

namespace {

constexpr const char* kStandard = "STANDARD";
// The font the engine draws every text with, under the name DXF programs
// know it by.
constexpr const char* kBuiltInFont = "txt";
constexpr double kTallest = 1e6;
constexpr double kNarrowest = 0.01, kWidest = 100;
constexpr double kSteepest = 85;  // degrees either way

TextStyle* named(std::vector<TextStyle>& list, const std::string& name) {
    for (TextStyle& s : list) {
        if (sameTableName(s.name, name)) {
            return &s;
        }
    }
    return nullptr;
}

std::string noStyle(const std::string& name) {
    return "No text style named \"" + name + "\"";
}

std::optional<double> number(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// Whether the text entity names the style; renames it when it does.
bool restyle(Entity& e, const std::string& from, const std::string& to) {
    std::string* style = nullptr;
    if (auto* t = geomIf<TextGeom>(e)) {
        style = &t->style;
    } else if (auto* m = geomIf<MTextGeom>(e)) {
        style = &m->style;
    }
    if (!style || !sameTableName(*style, from)) {
        return false;
    }
    *style = to;
    return true;
}

}  // namespace

std::vector<TextStyle> TextStyleEditor::styles() const {
    std::vector<TextStyle> list = drawing_.textStyles();
    if (!named(list, kStandard)) {
        TextStyle standard;
        standard.name = kStandard;
        list.insert(list.begin(), standard);
    }
    return list;
}

std::vector<std::string> drawingFonts(const Drawing* drawing) {
    std::vector<std::string> names{kBuiltInFont};
    if (drawing == nullptr) {
        return names;
    }
    for (const TextStyle& s : drawing->textStyles()) {
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return sameTableName(n, s.font);
        });
        if (!s.font.empty() && !known) {
            names.push_back(s.font);
        }
    }
    return names;
}

std::vector<std::string> TextStyleEditor::fonts() const {
    return drawingFonts(&drawing_);
}

std::string TextStyleEditor::add(const std::string& name) {
    if (std::string why = refusedTableName(name); !why.empty()) {
        return why;
    }
    std::vector<TextStyle> list = styles();
    if (named(list, name)) {
        return "A text style named \"" + name + "\" exists";
    }
    TextStyle style;
    style.name = name;
    list.push_back(style);
    Drawing::Step step(drawing_, title());
    drawing_.setTextStyles(std::move(list));
    return {};
}

std::string TextStyleEditor::setCurrent(const std::string& name) {
    std::vector<TextStyle> list = styles();
    const TextStyle* style = named(list, name);
    if (!style) {
        return noStyle(name);
    }
    if (style->name != drawing_.header().currentTextStyle) {
        DrawingHeader h = drawing_.header();
        h.currentTextStyle = style->name;
        Drawing::Step step(drawing_, title());
        drawing_.setHeader(h);
    }
    return {};
}

void TextStyleEditor::renameText(const std::string& from, const std::string& to) {
    std::vector<Entity> changed;
    for (const Entity& e : drawing_.entities()) {
        Entity copy = e;
        if (restyle(copy, from, to)) {
            changed.push_back(std::move(copy));
        }
    }
    if (!changed.empty()) {
        drawing_.replaceMany(std::move(changed));
    }
    for (const auto& [blockName, block] : drawing_.blocks()) {
        Block copy = block;
        bool any = false;
        for (Entity& e : copy.entities) {
            any = restyle(e, from, to) || any;
        }
        if (any) {
            drawing_.setBlock(blockName, std::move(copy));
        }
    }
}

std::string TextStyleEditor::rename(const std::string& from, const std::string& to) {
    std::vector<TextStyle> list = styles();
    TextStyle* style = named(list, from);
    if (!style) {
        return noStyle(from);
    }
    if (sameTableName(style->name, kStandard)) {
        return "STANDARD keeps its name";
    }
    if (std::string why = refusedTableName(to); !why.empty()) {
        return why;
    }
    if (const TextStyle* other = named(list, to); other && other != style) {
        return "A text style named \"" + to + "\" exists";
    }
    if (style->name == to) {
        return {};
    }
    const std::string old = style->name;
    style->name = to;
    Drawing::Step step(drawing_, title());
    drawing_.setTextStyles(std::move(list));
    renameText(old, to);
    if (sameTableName(drawing_.header().currentTextStyle, old)) {
        DrawingHeader h = drawing_.header();
        h.currentTextStyle = to;
        drawing_.setHeader(h);
    }
    return {};
}

std::string TextStyleEditor::change(const std::string& name, void (*edit)(TextStyle&, double),
                                    double value) {
    std::vector<TextStyle> list = styles();
    TextStyle* style = named(list, name);
    if (!style) {
        return noStyle(name);
    }
    edit(*style, value);
    Drawing::Step step(drawing_, title());
    drawing_.setTextStyles(std::move(list));
    return {};
}

std::string TextStyleEditor::setFont(const std::string& name, const std::string& font) {
    const std::vector<std::string> known = fonts();
    const auto found = std::find_if(known.begin(), known.end(),
                                    [&](const std::string& f) { return sameTableName(f, font); });
    if (found == known.end()) {
        std::string why = "No font named \"" + font + "\"; the engine's fonts:";
        for (const std::string& f : known) {
            why += " " + f;
        }
        return why;
    }
    std::vector<TextStyle> list = styles();
    TextStyle* style = named(list, name);
    if (!style) {
        return noStyle(name);
    }
    style->font = *found;
    Drawing::Step step(drawing_, title());
    drawing_.setTextStyles(std::move(list));
    return {};
}

std::string TextStyleEditor::setHeight(const std::string& name, double height) {
    if (!(height >= 0 && height <= kTallest)) {
        return "A text height is 0 (asked for each text) or a positive number of drawing units";
    }
    return change(
        name, [](TextStyle& s, double v) { s.height = v; }, height);
}

std::string TextStyleEditor::setWidthFactor(const std::string& name, double factor) {
    if (!(factor >= kNarrowest && factor <= kWidest)) {
        return "A width factor is from 0.01 to 100";
    }
    return change(
        name, [](TextStyle& s, double v) { s.widthFactor = v; }, factor);
}

std::string TextStyleEditor::setOblique(const std::string& name, double degrees) {
    if (!(std::fabs(degrees) <= kSteepest)) {
        return "An oblique angle is from -85 to 85 degrees";
    }
    return change(
        name, [](TextStyle& s, double v) { s.oblique = v * kPi / 180; }, degrees);
}

std::string TextStyleEditor::prompt() const {
    std::string text = "Text styles (current: " + drawing_.header().currentTextStyle + "):";
    for (const TextStyle& s : styles()) {
        text += "\r" + s.name + "  font " + s.font + "  height " + shownNumber(s.height) +
                "  width " + shownNumber(s.widthFactor) + "  oblique " +
                shownNumber(s.oblique * 180 / kPi);
    }
    text += "\rFonts:";
    for (const std::string& f : fonts()) {
        text += " " + f;
    }
    text +=
        "\rType: add NAME, current NAME, rename NAME NEW, font NAME FONT, height NAME H (0: "
        "asked for each text), width NAME FACTOR, oblique NAME DEGREES; nothing to close";
    return text;
}

std::string TextStyleEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.empty()) {
        return "Nothing typed";
    }
    const std::string verb = lowerCase(w[0]);
    if (w.size() == 2 && verb == "add") {
        return add(w[1]);
    }
    if (w.size() == 2 && verb == "current") {
        return setCurrent(w[1]);
    }
    if (w.size() == 3 && verb == "rename") {
        return rename(w[1], w[2]);
    }
    if (w.size() == 3 && verb == "font") {
        return setFont(w[1], w[2]);
    }
    if (w.size() == 3 && (verb == "height" || verb == "width" || verb == "oblique")) {
        const std::optional<double> value = number(w[2]);
        if (!value) {
            return "Not a number: " + w[2];
        }
        return verb == "height"  ? setHeight(w[1], *value)
               : verb == "width" ? setWidthFactor(w[1], *value)
                                 : setOblique(w[1], *value);
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
