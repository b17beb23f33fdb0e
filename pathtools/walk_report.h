#pragma once

#include <string>
#include <unordered_set>

#include "documents/dead_end.h"
#include "documents/drawing_window.h"

// What the user needs to know about a walk: when it stops, where it stopped,
// the nearest line end it never reached and a search radius that would reach
// it; when it ends, the arcs it took as straight lines.
namespace brondel::pathtools {

// The nearest end, first or last point, of a live entity not in visited,
// start markers (single-line text) aside.
documents::DeadEnd findDeadEnd(const engine::Vecad& vecad, engine::Point2 at,
                               const std::unordered_set<engine::Handle>& visited);

// A radius a little above the gap, at two significant digits, that a search
// within it reaches.
double bridgingRadius(double gap);

// One line for the prompt panel and the command window.
std::string deadEndText(const documents::DeadEnd& deadEnd);

// Keeps the dead end on the window for its marks, writes the line to the
// prompt panel and the command window, and zooms the drawing to both points.
void reportDeadEnd(documents::DrawingWindow& window, const documents::DeadEnd& deadEnd);

// "" when no arc was taken; otherwise how many arcs the walk took as their
// chords, and the command that segments them.
std::string arcsAsChordsText(int arcs);

// Drops the marks of an earlier walk or check.
void clearDeadEnd(documents::DrawingWindow& window);

}  // namespace brondel::pathtools
