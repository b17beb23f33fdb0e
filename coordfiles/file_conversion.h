#pragma once

#include <cstddef>
#include <string>

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
};

// The DAT file is written only when every step succeeded, and then in one
// piece, so a failure never leaves a partial file at datPath.
FileConversion convertSequentialFile(const std::string& drawingPath, const std::string& datPath);

}  // namespace brondel::coordfiles
