#pragma once

#include <string>

#include "ports/printer.h"

namespace brondel::engine {
class Vecad;
class View;
}  // namespace brondel::engine

// A picture file of a control's drawing as a view shows it, drawn as the
// drawing window draws it (its background, colours, line types and
// weights; no selection marks).
namespace brondel::desktop {

// The encoded bytes of the picture. Throws brondel::Error when the image
// cannot be allocated or encoded.
std::string rasterImage(const engine::Vecad& control, const engine::View& view,
                        ports::RasterFormat format);

}  // namespace brondel::desktop
