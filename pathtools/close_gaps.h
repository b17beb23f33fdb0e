#pragma once

#include <cstddef>
#include <string>

#include "documents/drawing_window.h"

// Close Gaps: line ends that lie within a tolerance of each other are made
// to meet, lines drawn twice or lying along another are removed, and so are
// lines of no length. Arcs and other entities stay as they are.
namespace brondel::pathtools {

struct HealReport {
    std::size_t endsMoved = 0;
    double largestMove = 0;
    std::size_t duplicates = 0;  // lines exactly like another
    std::size_t covered = 0;     // lines a longer collinear line covers
    std::size_t zeroLength = 0;
    std::size_t groupsLeft = 0;  // ends that would move farther than the tolerance
};

inline constexpr const char* kCloseGapsTitle = "Close Gaps";
inline constexpr const char* kClosePrompt =
    "Close gaps between line ends up to this distance (drawing units):";
inline constexpr const char* kToleranceRefusedText =
    "Invalid entry, the tolerance must be a number greater than 0";

// Ends within tolerance of each other meet at their middle; no end moves
// farther than tolerance (a group of ends that would is left as it is).
// One undo step, or none when nothing changes.
HealReport closeGaps(engine::Vecad& vecad, double tolerance);

// What changed, by kind, in one line.
std::string healText(const HealReport& report);

// The menu command: asks for the tolerance (the search radius by default)
// until it is a number above 0 or the box is cancelled, heals the drawing
// and reports what changed in the prompt panel and the command window.
void closeGapsCommand(documents::DrawingWindow& window);

}  // namespace brondel::pathtools
