#pragma once

#include <string>

namespace brondel::engine {
class Vecad;
}

// Printing a control's drawing: the desktop prints through the system's
// printers; headless, the drawing is rendered into a PDF file.
namespace brondel::ports {

class Printer {
  public:
    virtual ~Printer() = default;
    virtual void print(const engine::Vecad& control) = 0;
    virtual void preview(const engine::Vecad& control) = 0;
    virtual void setup() = 0;
};

}  // namespace brondel::ports
