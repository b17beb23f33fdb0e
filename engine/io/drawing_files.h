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

// The DXF versions the engine writes.
enum class DxfVersion { R12, R2000 };

// The version a drawing read with this $ACADVER is saved in: R12 (AC1009)
// and older stay R12, everything else is written as 2000.
DxfVersion dxfSaveVersion(std::string_view acadVersion);

struct WriteOptions {
    DxfVersion dxfVersion = DxfVersion::R2000;
    // R12 holds no ellipses or splines: they become polylines whose chords
    // stay within this (drawing units).
    double chordTolerance = 0.01;
    // The file a write replaces is kept as backupName(path).
    bool keepBackup = false;
};

// What a write had to change because the version cannot hold it, by what
// became of which kind ("SPLINE as POLYLINE", "XLINE left out"), with how
// many entities.
using WriteReport = std::map<std::string, std::size_t>;

// DXF through dxflib, written to a temporary file beside the target and
// renamed over it. A NaN or infinite number fails with err::kNotFinite and
// leaves the target as it was.
void writeDxf(const Drawing& drawing, const std::string& path, const FileProgress& progress = {},
              const WriteOptions& options = {}, WriteReport* report = nullptr);

// The engine's native format (docs/vec-format.md).
DrawingContent readVec(const std::string& path, const FileProgress& progress = {});
DrawingContent readVecBuffer(std::string_view data);
void writeVec(const Drawing& drawing, const std::string& path, const FileProgress& progress = {},
              const WriteOptions& options = {});

// The drawing's tables and live entities as a copy of its own, so that a
// writer on another thread can work from it while the drawing changes on.
DrawingContent snapshot(const Drawing& drawing);
// VEC of a snapshot, written atomically.
void writeVec(const DrawingContent& content, const std::string& path);

}  // namespace brondel::engine::io
