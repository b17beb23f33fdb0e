#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "pathtools/path_segments.h"

// A DAT file checked against the drawing it was made from: its steps scaled
// back by the width of the drawing's path and placed where the path lies,
// then compared both ways.
namespace brondel::pathtools {

struct DatCheck {
    std::size_t steps = 0;
    double datToDrawing = 0;   // farthest step from the drawing's path lines
    double drawingToDat = 0;   // farthest path line end or middle from the DAT path
    double maxDeviation = 0;   // the larger of the two
    double closureGap = 0;     // last step to first, drawing units
    double roundingBound = 0;  // what writing 4 decimals can move a point by
    double kerf = 0;
    bool ok = false;  // maxDeviation within roundingBound + kerf
};

// The steps of a DAT file in double precision: "x y" lines. Fails with the
// program's errors for a file that cannot be read (kFileNotFound,
// kPathFileAccess) or a line that is not two numbers (kTypeMismatch).
std::vector<engine::Point2> readDatSteps(const std::string& path);

// drawing: the path's segments as the conversion cut them.
DatCheck verifyDat(const std::vector<Segment>& drawing, const std::vector<engine::Point2>& steps,
                   double kerf = 0);

// The line shown after a DAT list is saved: the list checked against the
// drawing in the window, as it now stands.
std::string savedDatCheckText(const engine::Vecad& drawing,
                              const std::vector<std::string>& datRows);

// The check in a few lines of text; the last says plainly whether it holds.
std::vector<std::string> datCheckLines(const DatCheck& check);

}  // namespace brondel::pathtools
