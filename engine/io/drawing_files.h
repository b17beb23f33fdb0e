#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "engine/drawing.h"
#include "engine/io/file_progress.h"

// Reading and writing drawing files. Every reader fails with an Error that
// carries a number and a sentence; none hands back half a drawing as whole.
namespace brondel::engine::io {

struct ReadReport {
    std::string version;   // $ACADVER as the file spells it, "" when none
    std::string producer;  // the program that wrote the file, when it says
    // Modelspace entities by the name the file spells (LINE, LWPOLYLINE, ...).
    std::map<std::string, std::size_t> counts;
    // Kinds the model cannot hold, by name, with how many were left out.
    std::map<std::string, std::size_t> skipped;
};

// ASCII (LF or CRLF) or binary DXF.
DrawingContent readDxf(const std::string& path, ReadReport* report = nullptr,
                       const FileProgress& progress = {});
DrawingContent readDxfBuffer(std::string_view data, ReadReport* report = nullptr);

// AutoCAD 2000 DXF through dxflib, written to a temporary file beside the
// target and renamed over it.
void writeDxf(const Drawing& drawing, const std::string& path, const FileProgress& progress = {});

// The engine's native format (docs/vec-format.md).
DrawingContent readVec(const std::string& path, const FileProgress& progress = {});
DrawingContent readVecBuffer(std::string_view data);
void writeVec(const Drawing& drawing, const std::string& path, const FileProgress& progress = {});

}  // namespace brondel::engine::io
