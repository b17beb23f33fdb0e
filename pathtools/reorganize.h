#pragma once

#include <string>
#include <string_view>

#include "coordfiles/rows.h"
#include "documents/drawing_window.h"

// Path reorganization: from the start entity, walk from line end to line end,
// turn every line that points against the walk, record the path's vertices in
// the coordinate list and rebuild the drawing as lines in path order.
namespace brondel::pathtools {

inline constexpr const char* kSaveBeforeReorganizeText =
    "Save drawing before attempting reorganization?";
inline constexpr const char* kReorganizeFailedText =
    "Reorganization failed. Check starting point and cut direction.";
inline constexpr const char* kReorganizeCompleteText = "Reorganization Complete ";
inline constexpr const char* kReorganizingTask = "Reorganizing entities";
inline constexpr const char* kRebuildingTask = "Rebuilding drawing";

// The distance farther than which a found entity is never the next one.
inline constexpr double kFarthestCandidate = 100.0;

// How often the walk's progress is written into the prompt panel.
inline constexpr int kProgressEvery = 1000;

enum class ReorganizeEnd {
    Complete,  // the drawing holds the path's lines, the list its vertices
    Failed,    // no way on from some line end: nothing rebuilt, the list empty
    Error,     // an engine failure stopped the run where it was
};

// What the drawing becomes once the path is in the list. A road that only
// writes the DAT file from the list and drops the drawing next leaves it as
// walked: nobody would see it rebuilt.
enum class PathDrawing { Rebuilt, LeftAsWalked };

// The whole command, as one undo step on the active drawing of the window.
ReorganizeEnd reorganizeEntities(documents::DrawingWindow& window,
                                 PathDrawing drawing = PathDrawing::Rebuilt);

// The drawing becomes the path in the coordinate list: one line from each
// vertex to the next, at z = 0, in path order; everything else goes.
void rebuildAsPath(documents::DrawingWindow& window);

// "Reorganizing entity " i " of " n.
std::string progressText(int step, int steps);

}  // namespace brondel::pathtools
