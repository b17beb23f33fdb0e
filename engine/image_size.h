#pragma once

#include <optional>
#include <string>

namespace brondel::engine {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The pixel size a PNG, JPEG, BMP, GIF or TIFF file states in its header,
// read without decoding the picture; nothing when the file cannot be read
// or is none of these.
std::optional<PixelSize> imagePixelSize(const std::string& path);

// The same from the file's first bytes (a JPEG's size may lie further in:
// give it the whole file, or at least up to its frame header).
std::optional<PixelSize> imagePixelSizeOf(const std::string& bytes);

}  // namespace brondel::engine
