#include "engine/line_type_file.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "engine/table_editor.h"

namespace brondel::engine {

namespace {

// Our line types, sized for drawings in millimetres.
constexpr std::string_view kOwnFile = R"(;; Brondel line types
*BORDER,Border __ __ . __ __ . __ __ .
A,12.7,-6.35,12.7,-6.35,0,-6.35
*CENTER,Center ____ _ ____ _ ____ _
A,31.75,-6.35,6.35,-6.35
*DASHDOT,Dash dot __ . __ . __ . __
A,12.7,-6.35,0,-6.35
*DASHED,Dashed __ __ __ __ __ __
A,12.7,-6.35
*DIVIDE,Divide ____ . . ____ . . ____
A,12.7,-6.35,0,-6.35,0,-6.35
*DOT,Dot . . . . . . . . . . . .
A,0,-6.35
*HIDDEN,Hidden __ __ __ __ __ __
A,6.35,-3.175
*PHANTOM,Phantom ______  __  __  ______
A,31.75,-6.35,6.35,-6.35,6.35,-6.35
)";

// Longer patterns are beyond what DXF programs take.
constexpr std::size_t kMostDashes = 12;
constexpr double kLongest = 1e6;
// A line type file is a few kilobytes; far larger is not one.
constexpr std::uintmax_t kLargestFile = 4u << 20;

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
        s.remove_suffix(1);
    }
    return s;
}

// The pattern of an "A,..." line, or why it is not one.
std::string readPattern(std::string_view line, std::vector<double>& pattern) {
    if (line.find('[') != std::string_view::npos) {
        return "it holds text or shapes, which this program does not draw";
    }
    if (line.size() < 2 || std::toupper(static_cast<unsigned char>(line[0])) != 'A' ||
        line[1] != ',') {
        return "its pattern line does not start with A,";
    }
    line.remove_prefix(2);
    for (;;) {
        const std::size_t comma = line.find(',');
        const std::string_view item = trim(line.substr(0, comma));
        double value = 0;
        const auto [stop, ec] = std::from_chars(item.data(), item.data() + item.size(), value);
        if (item.empty() || ec != std::errc() || stop != item.data() + item.size() ||
            !std::isfinite(value) || std::fabs(value) > kLongest) {
            return "\"" + std::string(item) + "\" is not a length";
        }
        pattern.push_back(value);
        if (comma == std::string_view::npos) {
            break;
        }
        line.remove_prefix(comma + 1);
    }
    if (pattern.size() > kMostDashes) {
        return "its pattern has more than 12 dashes and gaps";
    }
    return {};
}

}  // namespace

LineTypeFile parseLineTypes(std::string_view text) {
    LineTypeFile file;
    std::optional<LineType> open;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);  // a UTF-8 byte order mark
    }
    const auto skip = [&file](const std::string& name, const std::string& why) {
        file.skipped.push_back(name + ": " + why);
    };
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (const std::size_t comment = line.find(";;"); comment != std::string_view::npos) {
            line = line.substr(0, comment);
        }
        line = trim(line);
        if (line.empty()) {
            continue;
        }
        if (line.front() == '*') {
            if (open) {
                skip(open->name, "it has no pattern line");
            }
            line.remove_prefix(1);
            const std::size_t comma = line.find(',');
            LineType type;
            type.name = std::string(trim(line.substr(0, comma)));
            if (comma != std::string_view::npos) {
                type.description = std::string(trim(line.substr(comma + 1)));
            }
            open = std::move(type);
            if (std::string why = refusedTableName(open->name); !why.empty()) {
                skip(open->name.empty() ? "(no name)" : open->name, why);
                open.reset();
            }
            continue;
        }
        if (!open) {
            continue;  // a pattern line of a definition already left out
        }
        if (std::string why = readPattern(line, open->pattern); !why.empty()) {
            skip(open->name, why);
        } else {
            file.types.push_back(std::move(*open));
        }
        open.reset();
    }
    if (open) {
        skip(open->name, "it has no pattern line");
    }
    return file;
}

std::string_view ownLineTypeFile() {
    return kOwnFile;
}

std::string readLineTypeFile(const std::string& path, LineTypeFile& file) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        return "Cannot read " + path + ": " + ec.message();
    }
    if (size > kLargestFile) {
        return "Cannot read " + path + ": too large for a line type file";
    }
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        return "Cannot read " + path;
    }
    file = parseLineTypes(text);
    return {};
}

}  // namespace brondel::engine
