#pragma once

#include <string>

namespace brondel::engine {

// The picture files the desktop can show, as an open dialog's filter.
inline constexpr const char* kPictureFileFilter =
    "Pictures (*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff)|"
    "*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.tif;*.tiff|All files (*.*)|*.*";

// The path a drawing keeps for a picture file: relative to the drawing's
// folder when the picture lies in it or below, so that the two move
// together; absolute otherwise and while the drawing has no file yet.
std::string storedImagePath(const std::string& chosen, const std::string& drawingFile);

// The drawing's file when it is on disk, "" otherwise: a drawing not yet
// saved has a name but no folder a relative path could follow.
std::string savedDrawingFile(const std::string& drawingFile);

// The file a kept path names, relative paths read from the drawing's folder
// (backslashes of other programs taken as separators).
std::string resolvedImagePath(const std::string& stored, const std::string& drawingFile);

// Whether the kept path names an existing file.
bool imageFileFound(const std::string& stored, const std::string& drawingFile);

}  // namespace brondel::engine
