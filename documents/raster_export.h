#pragma once

#include <optional>
#include <string>

#include "ports/dialogs.h"
#include "ports/printer.h"

namespace brondel::engine {
class Vecad;
}

// Export Screen Raster: asks what to export (the view as it is, or the
// drawing's extents at a chosen size) and into which picture file, has the
// printer port render it and writes the file atomically. A refusal or a
// failure is told in a message box and writes nothing.
namespace brondel::documents {

struct RasterSize {
    int width;
    int height;
};

// Larger pictures are refused rather than allocated: the limit already
// takes 256 MB at four bytes a pixel.
inline constexpr long long kMaxRasterSide = 16384;
inline constexpr long long kMaxRasterPixels = 64LL * 1024 * 1024;

// "1920 x 1080" (or with "," or a blank between); throws Error
// (kBadArgument) saying what is wrong.
RasterSize parseRasterSize(const std::string& text);

// The picture format a file name's extension asks for; nullopt for an
// extension that is not PNG, JPEG or BMP, and for none.
std::optional<ports::RasterFormat> rasterFormatOf(const std::string& path);

void exportScreenRaster(engine::Vecad& control, ports::Dialogs& dialogs, ports::Printer& printer);

}  // namespace brondel::documents
