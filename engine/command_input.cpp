#include "engine/command_input.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "engine/commands.h"

namespace brondel::engine {

namespace {

struct ShortName {
    const char* name;
    int code;
};

constexpr ShortName kShortNames[] = {
    {"line", command::kDrawLine},    {"l", command::kDrawLine},
    {"point", command::kDrawPoint},  {"po", command::kDrawPoint},
    {"erase", command::kErase},      {"e", command::kErase},
    {"delete", command::kErase},     {"zoom", command::kZoomRealtime},
    {"z", command::kZoomRealtime},   {"zoomext", command::kZoomExtents},
    {"ze", command::kZoomExtents},   {"zoomin", command::kZoomIn},
    {"zi", command::kZoomIn},        {"zoomout", command::kZoomOut},
    {"zo", command::kZoomOut},       {"zoomprev", command::kZoomPrevious},
    {"zp", command::kZoomPrevious},  {"zoomwin", command::kZoomWindow},
    {"zw", command::kZoomWindow},    {"zoomsel", command::kZoomSelected},
    {"zs", command::kZoomSelected},  {"pan", command::kPanRealtime},
    {"p", command::kPanRealtime},    {"panpoint", command::kPanToPoint},
    {"regen", command::kRegenerate}, {"re", command::kRegenerate},
    {"undo", command::kUndo},        {"u", command::kUndo},
    {"redo", command::kRedo},
};

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// A whole finite number, a leading plus allowed.
std::optional<double> number(std::string_view s) {
    s = trim(s);
    if (s.size() > 1 && s.front() == '+' && s[1] != '-') {
        s.remove_prefix(1);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int> commandCodeFor(std::string_view text) {
    text = trim(text);
    if (text.empty()) {
        return std::nullopt;
    }
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        int code = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), code);
        return ec == std::errc() && end == text.data() + text.size() ? std::optional(code)
                                                                     : std::nullopt;
    }
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const ShortName& s : kShortNames) {
        if (lower == s.name) {
            return s.code;
        }
    }
    const int code = commandCode(lower);
    return code != 0 ? std::optional(code) : std::nullopt;
}

std::optional<TypedPoint> parseTypedPoint(std::string_view text) {
    text = trim(text);
    TypedPoint p;
    if (!text.empty() && text.front() == '@') {
        p.kind = TypedPoint::Kind::Relative;
        text.remove_prefix(1);
    }
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) {
        if (p.kind == TypedPoint::Kind::Relative) {
            return std::nullopt;
        }
        const auto distance = number(text);
        if (!distance) {
            return std::nullopt;
        }
        p.kind = TypedPoint::Kind::Distance;
        p.x = *distance;
        return p;
    }
    const auto x = number(text.substr(0, comma));
    const auto y = number(text.substr(comma + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    p.x = *x;
    p.y = *y;
    return p;
}

}  // namespace brondel::engine
