#pragma once

#include <span>
#include <string>

#include "coordfiles/dat_reader.h"
#include "coordfiles/path_arrows.h"

// The cutting path as a picture to look at before cutting: the path, a dot
// at its start and small arrows along it in the cutting direction.
namespace brondel::coordfiles {

// An SVG document of the path, y upwards as in the drawing, fitted to its
// box. A path of fewer than two points is drawn as what there is.
std::string pathSvg(std::span<const PairPoint> path);

}  // namespace brondel::coordfiles
