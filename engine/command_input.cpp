#include "engine/command_input.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "engine/commands.h"

namespace brondel::engine {

namespace {

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
    for (const CommandRow& row : commandTable()) {
        std::string_view names = row.shortNames;
        while (!names.empty()) {
            const auto blank = names.find(' ');
            if (names.substr(0, blank) == lower) {
                return row.code;
            }
            names = blank == std::string_view::npos ? std::string_view() : names.substr(blank + 1);
        }
    }
    const int code = commandCode(lower);
    return code != 0 ? std::optional(code) : std::nullopt;
}

std::optional<double> parseTypedNumber(std::string_view text) {
    return number(text);
}

std::optional<TypedPoint> parseTypedPoint(std::string_view text) {
    text = trim(text);
    TypedPoint p;
    if (!text.empty() && text.front() == '@') {
        p.kind = TypedPoint::Kind::Relative;
        text.remove_prefix(1);
        if (const auto angle = text.find('<'); angle != std::string_view::npos) {
            const auto d = number(text.substr(0, angle));
            const auto a = number(text.substr(angle + 1));
            if (!d || !a) {
                return std::nullopt;
            }
            p.kind = TypedPoint::Kind::Polar;
            p.x = *d;
            p.y = *a;
            return p;
        }
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

std::optional<std::string> matchOption(const std::vector<std::string>& options,
                                       std::string_view text) {
    const auto lower = [](std::string_view s) {
        std::string out(trim(s));
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return out;
    };
    const std::string typed = lower(text);
    if (typed.empty()) {
        return std::nullopt;
    }
    for (const std::string& option : options) {
        std::string keyword;
        for (char c : option) {
            if (std::isupper(static_cast<unsigned char>(c))) {
                keyword += c;
            }
        }
        if (typed == lower(keyword) || typed == lower(option)) {
            return option;
        }
    }
    return std::nullopt;
}

std::string askPrompt(std::string_view caption, const ToolAsk& ask) {
    std::string text(caption);
    text += ": " + ask.prompt;
    if (!ask.options.empty()) {
        text += " [";
        for (std::size_t i = 0; i < ask.options.size(); ++i) {
            text += (i ? "/" : "") + ask.options[i];
        }
        text += "]";
    }
    if (!ask.fallback.empty()) {
        text += " <" + ask.fallback + ">";
    }
    return text;
}

}  // namespace brondel::engine
