#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "coordfiles/path_jumps.h"
#include "coordfiles/path_measures.h"

// The short road without a window: a drawing file whose entity order is the
// cutting path, straight to a DAT file, by the same steps the sequential
// conversion command takes.
namespace brondel::coordfiles {

struct FileConversion {
    bool done = false;
    std::string message;  // the program's own text for the failure
    std::size_t entities = 0;
    std::size_t lines = 0;
    std::size_t steps = 0;
    std::map<std::string, std::size_t> leftOut;  // entities that are not lines, by kind
    PathJumps jumps;  // where one line does not start at the end of the one before
    PathMeasures path;
};

// The DAT file is written only when every step succeeded, and then in one
// piece, so a failure never leaves a partial file at datPath.
// Jumps are gaps wider than within.
FileConversion convertSequentialFile(const std::string& drawingPath, const std::string& datPath,
                                     double within);

}  // namespace brondel::coordfiles
