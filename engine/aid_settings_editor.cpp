#include "engine/aid_settings_editor.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "engine/cad.h"
#include "engine/measure.h"
#include "engine/object_snap.h"
#include "engine/typed_whole_number.h"
#include "engine/vecad.h"

namespace brondel::engine {

namespace {

struct SnapName {
    const char* name;
    int bit;
};
constexpr SnapName kSnaps[] = {
    {"node", snap::kNode},
    {"endpoint", snap::kEndpoint},
    {"midpoint", snap::kMidpoint},
    {"center", snap::kCenter},
    {"nearest", snap::kNearest},
    {"intersection", snap::kIntersection},
    {"perpendicular", snap::kPerpendicular},
    {"tangent", snap::kTangent},
};

}  // namespace

std::string AidSettingsEditor::title() const {
    switch (kind_) {
        case Kind::ObjectSnap:
            return "Adjust Object Snap";
        case Kind::Grid:
            return "Adjust Grid";
        case Kind::PolarTracking:
            return "Adjust PolarTracking";
    }
    return {};
}

std::string AidSettingsEditor::prompt() const {
    switch (kind_) {
        case Kind::ObjectSnap: {
            std::string on, off;
            for (const SnapName& s : kSnaps) {
                std::string& list = (control_.SnapGetMode() & s.bit) ? on : off;
                list += (list.empty() ? "" : ", ") + std::string(s.name);
            }
            return std::string("Object snap ") + (control_.SnapGetOn() ? "on" : "off") +
                   "; snaps on: " + (on.empty() ? "none" : on) +
                   "; off: " + (off.empty() ? "none" : off) + "; aperture " +
                   std::to_string(CadGetSnapAperture()) +
                   " pixels\rType: on, off, clear, on/off NAME, or aperture PIXELS; nothing to "
                   "close";
        }
        case Kind::Grid:
            return std::string("Grid ") + (control_.GridGetShow() ? "shown" : "hidden") + ", " +
                   shownNumber(control_.GridGetStep()) + " drawing units apart; snap to grid " +
                   (control_.GridGetSnap() ? "on" : "off") +
                   "\rType: on, off, spacing UNITS (above 0), snap on or snap off; nothing to "
                   "close";
        case Kind::PolarTracking:
            return std::string("Polar tracking ") + (control_.PolarGetOn() ? "on" : "off") +
                   ", every " +
                   shownNumber(control_.PolarGetInc() > 0 ? control_.PolarGetInc() : 90) +
                   " degrees\rType: on, off, or increment DEGREES (above 0, below 180); nothing "
                   "to close";
    }
    return {};
}

std::string AidSettingsEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.empty() || w.size() > 2) {
        return w.empty() ? "Nothing typed" : "Not understood: " + line;
    }
    const std::string verb = lowerCase(w[0]);
    const std::string rest = w.size() == 2 ? w[1] : std::string();
    switch (kind_) {
        case Kind::ObjectSnap:
            return snapCommand(verb, lowerCase(rest));
        case Kind::Grid:
            return gridCommand(verb, rest);
        case Kind::PolarTracking:
            return polarCommand(verb, rest);
    }
    return "Not understood: " + line;
}

std::string AidSettingsEditor::snapCommand(const std::string& verb, const std::string& name) {
    if (verb == "aperture" && !name.empty()) {
        return apertureCommand(name);
    }
    if (name.empty()) {
        if (verb == "on" || verb == "off") {
            control_.SnapPutOn(verb == "on");
            return {};
        }
        if (verb == "clear") {
            control_.SnapPutMode(0);
            return {};
        }
    } else if (verb == "on" || verb == "off") {
        for (const SnapName& s : kSnaps) {
            if (name == s.name) {
                const int mode = control_.SnapGetMode();
                control_.SnapPutMode(verb == "on" ? mode | s.bit : mode & ~s.bit);
                return {};
            }
        }
        return "No snap named \"" + name + "\"";
    }
    return "Not understood: " + verb + (name.empty() ? "" : " " + name);
}

std::string AidSettingsEditor::apertureCommand(const std::string& value) {
    const TypedWholeNumber pixels =
        typedWholeNumber(value, kMinAperture, kMaxAperture, "The aperture in pixels");
    if (pixels.refusal.empty()) {
        CadPutSnapAperture(pixels.value);
    }
    return pixels.refusal;
}

std::string AidSettingsEditor::gridCommand(const std::string& verb, const std::string& value) {
    if (value.empty() && (verb == "on" || verb == "off")) {
        control_.GridPutShow(verb == "on");
        return {};
    }
    if (verb == "snap" && (lowerCase(value) == "on" || lowerCase(value) == "off")) {
        control_.GridPutSnap(lowerCase(value) == "on");
        return {};
    }
    if (verb != "spacing" || value.empty()) {
        return "Not understood: " + verb + (value.empty() ? "" : " " + value);
    }
    const std::optional<double> step = typedNumber(value);
    if (!step || !std::isfinite(*step)) {
        return "Not a number: " + value;
    }
    if (*step <= 0) {
        return "The grid spacing is a distance above 0";
    }
    control_.GridPutStep(*step);
    return {};
}

std::string AidSettingsEditor::polarCommand(const std::string& verb, const std::string& value) {
    if (value.empty() && (verb == "on" || verb == "off")) {
        control_.PolarPutOn(verb == "on");
        return {};
    }
    if (verb != "increment" || value.empty()) {
        return "Not understood: " + verb + (value.empty() ? "" : " " + value);
    }
    double degrees = 0;
    const char* end = value.data() + value.size();
    const auto [stop, ec] = std::from_chars(value.data(), end, degrees);
    if (ec != std::errc() || stop != end || !std::isfinite(degrees)) {
        return "Not a number: " + value;
    }
    if (degrees <= 0 || degrees >= 180) {
        return "The increment is an angle above 0 and below 180 degrees";
    }
    control_.PolarPutInc(degrees);
    return {};
}

}  // namespace brondel::engine
