#include "engine/options_editor.h"

#include <cmath>
#include <vector>

#include "engine/cad.h"
#include "engine/typed_whole_number.h"

namespace brondel::engine {

namespace {

constexpr int kMaxAutosaveMinutes = 24 * 60;
// Lines are drawn light, lightened where needed against a dark ground; on a
// ground brighter than this (relative luminance, about #404040) they would
// fade into it.
constexpr double kBrightestBackground = 0.052;

double luminance(int rgb) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear((rgb >> 16) & 0xff) + 0.7152 * linear((rgb >> 8) & 0xff) +
           0.0722 * linear(rgb & 0xff);
}

std::string rgbText(int rgb) {
    return std::to_string((rgb >> 16) & 0xff) + "," + std::to_string((rgb >> 8) & 0xff) + "," +
           std::to_string(rgb & 0xff);
}

std::string onOff(const std::string& value, void (*put)(bool)) {
    const std::string v = lowerCase(value);
    if (v != "on" && v != "off") {
        return "Type on or off";
    }
    put(v == "on");
    return {};
}

std::string wholeNumber(const std::string& value, int low, int high, const std::string& what,
                        void (*put)(int)) {
    const TypedWholeNumber typed = typedWholeNumber(value, low, high, what);
    if (typed.refusal.empty()) {
        put(typed.value);
    }
    return typed.refusal;
}

// Why a typed "R,G,B" cannot be the background ("" when it can); the
// colour as 0xRRGGBB goes to rgb.
std::string refusedBackground(const std::string& typed, int& rgb) {
    std::vector<std::string> parts(1);
    for (char c : typed) {
        if (c == ',') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    if (parts.size() != 3) {
        return "The background is three numbers, red, green and blue, as R,G,B";
    }
    int colour = 0;
    for (const std::string& part : parts) {
        const TypedWholeNumber channel = typedWholeNumber(part, 0, 255, "Each of red, green, blue");
        if (!channel.refusal.empty()) {
            return channel.refusal;
        }
        colour = colour << 8 | channel.value;
    }
    if (luminance(colour) > kBrightestBackground) {
        return "The background is a dark colour, so the drawing's light lines stay seen on it";
    }
    rgb = colour;
    return {};
}

}  // namespace

std::string OptionsEditor::prompt() const {
    return "Background " + rgbText(CadGetBackground()) + "; cursor " +
           std::to_string(CadGetCursorSize()) + " pixels; pick aperture " +
           std::to_string(CadGetPickAperture()) + " pixels; snap aperture " +
           std::to_string(CadGetSnapAperture()) + " pixels; backup " +
           (CadGetKeepBackup() ? "on" : "off") + "; autosave every " +
           std::to_string(CadGetAutosaveMinutes()) +
           " minutes (0 = never)\rType: background R,G,B, cursor PIXELS, pick PIXELS, snap "
           "PIXELS, backup on or off, autosave MINUTES; nothing to close";
}

std::string OptionsEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.size() != 2) {
        return w.empty() ? "Nothing typed" : "Not understood: " + line;
    }
    const std::string verb = lowerCase(w[0]);
    if (verb == "background") {
        int rgb = 0;
        std::string refusal = refusedBackground(w[1], rgb);
        if (refusal.empty()) {
            CadPutBackground(rgb);
        }
        return refusal;
    }
    if (verb == "cursor") {
        return wholeNumber(w[1], kMinCursorSize, kMaxCursorSize, "The cursor size in pixels",
                           CadPutCursorSize);
    }
    if (verb == "pick" || verb == "snap") {
        return wholeNumber(w[1], kMinAperture, kMaxAperture, "The " + verb + " aperture in pixels",
                           verb == "pick" ? CadPutPickAperture : CadPutSnapAperture);
    }
    if (verb == "backup") {
        return onOff(w[1], CadPutKeepBackup);
    }
    if (verb == "autosave") {
        return wholeNumber(w[1], 0, kMaxAutosaveMinutes, "The autosave interval in minutes",
                           CadPutAutosaveMinutes);
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
