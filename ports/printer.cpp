#include "ports/printer.h"

#include "base/error.h"

namespace brondel::ports {

std::string Printer::rasterImage(const engine::Vecad&, const engine::View&, RasterFormat) {
    throw Error(err::kBadArgument,
                "pictures of the drawing are made by the desktop program; this session has none");
}

}  // namespace brondel::ports
