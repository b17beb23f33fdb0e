#include "engine/hatch_patterns.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "base/error.h"

namespace brondel::engine {

namespace {

// Our pattern file. Sizes are for a scale of 1 in drawing units.
constexpr std::string_view kPatternFile = R"(*SOLID, Solid fill
*ANSI31, ANSI iron, brick, stone masonry
45, 0,0, 0,3.175
*ANSI37, ANSI lead, zinc, magnesium, sound/heat/electric insulation
45, 0,0, 0,3.175
135, 0,0, 0,3.175
*DOTS, A grid of dots
0, 0,0, 0.79375,1.5875, 0,-1.5875
*GRAVEL, Gravel: broken strokes at many angles
228.0128, 0.72,1, -3.5,6.2, 0.4,-8.5
184.9697, 0.63,0.92, 12.6,0.8, 0.65,-12.4
132.5104, 0.4,0.72, -9.8,9.4, 0.53,-13.3
267.2737, 0.01,0.63, -11.7,3.7, 0.61,-18.8
292.8337, 0,0.42, 12.4,-3.9, 0.45,-12.5
357.2737, 0.1,0.11, -12.5,0.6, 0.61,-18.9
37.6942, 0.72,0.18, 9.4,8.0, 0.4,-10.7
)";

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
        s.remove_suffix(1);
    }
    return s;
}

std::string upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::vector<double> numbers(std::string_view line, int lineNumber) {
    std::vector<double> out;
    while (!line.empty()) {
        const auto comma = line.find(',');
        const std::string_view field = trim(line.substr(0, comma));
        double v = 0;
        const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
        if (field.empty() || ec != std::errc() || end != field.data() + field.size()) {
            throw Error(err::kBadArgument, "Hatch pattern line " + std::to_string(lineNumber) +
                                               ": \"" + std::string(field) + "\" is not a number");
        }
        out.push_back(v);
        line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    }
    return out;
}

}  // namespace

std::vector<HatchPattern> parsePatterns(std::string_view text) {
    std::vector<HatchPattern> out;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto eol = text.find('\n');
        std::string_view line = trim(text.substr(0, eol));
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        ++lineNumber;
        if (const auto comment = line.find(';'); comment != std::string_view::npos) {
            line = trim(line.substr(0, comment));
        }
        if (line.empty()) {
            continue;
        }
        if (line.front() == '*') {
            const auto comma = line.find(',');
            HatchPattern p;
            p.name = upper(
                trim(line.substr(1, comma == std::string_view::npos ? line.npos : comma - 1)));
            if (comma != std::string_view::npos) {
                p.description = trim(line.substr(comma + 1));
            }
            out.push_back(std::move(p));
            continue;
        }
        const std::vector<double> v = numbers(line, lineNumber);
        if (out.empty() || v.size() < 5) {
            throw Error(err::kBadArgument, "Hatch pattern line " + std::to_string(lineNumber) +
                                               ": a line family needs a pattern name before it "
                                               "and angle, origin and offset");
        }
        out.back().lines.push_back({v[0], v[1], v[2], v[3], v[4], {v.begin() + 5, v.end()}});
    }
    return out;
}

const std::vector<HatchPattern>& builtInPatterns() {
    static const std::vector<HatchPattern> patterns = parsePatterns(kPatternFile);
    return patterns;
}

const HatchPattern* findPattern(std::string_view name) {
    const std::string wanted = upper(trim(name));
    for (const HatchPattern& p : builtInPatterns()) {
        if (p.name == wanted) {
            return &p;
        }
    }
    return nullptr;
}

}  // namespace brondel::engine
