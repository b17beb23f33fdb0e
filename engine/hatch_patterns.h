#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brondel::engine {

// One line family of a hatch pattern, as a .pat file gives it: angle in
// degrees, origin, offset between lines, and the dash lengths (positive
// dash, negative gap, 0 a dot).
struct PatternLine {
    double angle = 0;
    double x = 0, y = 0;
    double dx = 0, dy = 0;
    std::vector<double> dashes;
};

struct HatchPattern {
    std::string name;  // upper case
    std::string description;
    std::vector<PatternLine> lines;  // empty for SOLID
};

// Reads patterns in the .pat format ("*NAME, description" then one line
// family a line); throws brondel::Error naming the line that is wrong.
std::vector<HatchPattern> parsePatterns(std::string_view text);

// The engine's own pattern file: SOLID, ANSI31, ANSI37, DOTS, GRAVEL.
const std::vector<HatchPattern>& builtInPatterns();
// The built-in pattern of that name in any case, nullptr when none.
const HatchPattern* findPattern(std::string_view name);

}  // namespace brondel::engine
