#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace brondel::cli {

// The short road: a drawing whose entity order is the cutting path, its
// lines collected in that order, normalized and written as a DAT file.
// Prints the lines read and the steps written; on failure prints the
// program's own message and returns non-zero, leaving no file behind.

// The search radius the program starts with.
inline constexpr double kDefaultRadius = 0.01;

struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
};

struct ConvertOptions {
    std::optional<int> arcSegments;   // chords per arc; by tolerance when not given
    double arcTolerance = 0.01;       // largest gap between an arc and its chords
    std::optional<PlanePoint> start;  // near the start line; the first line when not given
    bool reverse = false;             // cut the start line the other way
    double radius = kDefaultRadius;   // search radius of the reorganization
    bool json = false;                // report as one JSON object
    std::optional<double> heal;       // close gaps up to this before the walk
    std::optional<double> kerf;       // move the closed path out by half this
    bool link = false;                // bridge to every hole of the outer contour
    std::string svg;                  // also draw the written path here, when given
};

// Jumps are gaps wider than the options' radius.
int runConvertSequential(const std::string& inPath, const std::string& datPath,
                         const ConvertOptions& options, std::ostream& out, std::ostream& err);

// "X,Y" as two numbers; nothing when it is not that.
std::optional<PlanePoint> parsePlanePoint(const std::string& text);

// The main road in one call, through the program's own commands with fixed
// answers: open, prepare, cut arcs and circles into chords, leave out what
// is no path, set the start line, reorganize, convert and save the DAT file.
// On failure prints the program's own message and returns non-zero; the
// DAT file is written whole or not at all.
int runConvert(const std::string& inPath, const std::string& datPath, const ConvertOptions& options,
               std::ostream& out, std::ostream& err);

}  // namespace brondel::cli
