#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/tables.h"

namespace brondel::engine {

// What a .lin file holds: each definition is "*NAME,description" followed
// by "A,dash,gap,..." (dash above 0, gap below 0, dot 0).
struct LineTypeFile {
    std::vector<LineType> types;
    // Definitions left out, each with why (text or shapes in the pattern,
    // a bad number, a name DXF cannot hold).
    std::vector<std::string> skipped;
};

LineTypeFile parseLineTypes(std::string_view text);

// The line types the program ships, in .lin form.
std::string_view ownLineTypeFile();

// Reads a .lin file from disk into `file`; answers why it could not ("" when
// it was read), naming the file.
std::string readLineTypeFile(const std::string& path, LineTypeFile& file);

}  // namespace brondel::engine
