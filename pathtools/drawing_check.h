#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/geometry.h"
#include "engine/vecad.h"

// What stands between a drawing and one cutting path, found without
// changing anything: its contours, the gaps between line ends a little too
// wide for the search radius, segments drawn twice, segments of no length
// and entities that are no path.
namespace brondel::pathtools {

struct CheckedContour {
    bool closed = false;
    std::size_t segments = 0;  // entities: lines, arcs, circles
    double length = 0;
    engine::Box2 box;
    std::optional<std::size_t> inside;  // the closed contour that holds this one, 0-based
    // The search radius that would close an open contour; none when it is
    // closed or its ends are too many to pair.
    std::optional<double> closingRadius;
};

struct CheckedGap {
    engine::Point2 at;  // a line end that meets nothing
    engine::Point2 to;  // the nearest other line end
    double width = 0;
};

struct DrawingCheck {
    std::vector<CheckedContour> contours;  // in the order of their first entity
    std::vector<CheckedGap> gaps;          // wider than the radius, up to kGapReach times it
    std::size_t duplicates = 0;            // lines that repeat or overlap a collinear line
    std::size_t zeroLength = 0;
    std::map<std::string, std::size_t> notPaths;  // by kind
};

// Gaps are looked for up to this many search radii.
inline constexpr double kGapReach = 100;
// A segment no longer than this has no length.
inline constexpr double kZeroLength = 1e-9;

// Line ends within radius of each other meet. Lines, arcs and circles are
// paths; everything else is counted by kind.
DrawingCheck checkDrawing(const engine::Vecad& vecad, double radius);

// The report as lines of text, the summary first.
std::vector<std::string> checkReportLines(const DrawingCheck& check);

}  // namespace brondel::pathtools
