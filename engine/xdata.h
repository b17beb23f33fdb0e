#pragma once

#include <string>
#include <vector>

// Extended data that applications attach to entities in a DXF file, kept
// as read so that saving gives it back to them.
namespace brondel::engine {

// One group: 1000 to 1071, its value as DXF text (strings in UTF-8).
struct XDataGroup {
    int code = 1000;
    std::string value;
    bool operator==(const XDataGroup&) const = default;
};

// The groups that follow one application's 1001 group.
struct XDataApp {
    std::string name;
    std::vector<XDataGroup> groups;
    bool operator==(const XDataApp&) const = default;
};

using XData = std::vector<XDataApp>;

// Whether a group's value is text (written in the file's code page) rather
// than a number or a hexadecimal handle or chunk.
inline bool xdataIsText(int code) {
    return code == 1000 || code == 1003;
}

// Whether an entity's extended data has the application (names compare
// without regard to case) and, when value is not empty, a group of it
// whose value is that text (without regard to case) or that number.
bool xdataMatches(const XData& data, const std::string& app, const std::string& value);

}  // namespace brondel::engine
