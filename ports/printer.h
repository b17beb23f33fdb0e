#pragma once

#include <string>

namespace brondel::engine {
class Vecad;
class View;
}  // namespace brondel::engine

// Printing a control's drawing: the desktop prints through the system's
// printers; headless, the drawing is rendered into a PDF file.
namespace brondel::ports {

enum class RasterFormat { Png, Jpeg, Bmp };

class Printer {
  public:
    virtual ~Printer() = default;
    virtual void print(const engine::Vecad& control) = 0;
    virtual void preview(const engine::Vecad& control) = 0;
    virtual void setup() = 0;
    // The control's drawing as the view shows it, one pixel per window
    // pixel, encoded in the format: the bytes of the picture file. Throws
    // brondel::Error when it cannot be made; a printer without a renderer
    // of pictures says so.
    virtual std::string rasterImage(const engine::Vecad& control, const engine::View& view,
                                    RasterFormat format);
};

}  // namespace brondel::ports
