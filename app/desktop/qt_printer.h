#pragma once

#include <QPrinter>

#include "ports/printer.h"

// The desktop's printer: the system's print dialogs over one QPrinter, so
// the printer and page chosen in one dialog hold for the next print. Saving
// to PDF is one of the print dialog's printers.
namespace brondel::desktop {

class QtPrinter : public ports::Printer {
  public:
    QtPrinter();
    void print(const engine::Vecad& control) override;
    void preview(const engine::Vecad& control) override;
    void setup() override;
    std::string rasterImage(const engine::Vecad& control, const engine::View& view,
                            ports::RasterFormat format) override;

  private:
    // A drawing whose current page has a paper size prints on that paper,
    // that way round; any other, until the user picks one, the way round it
    // fits best.
    void orient(const engine::Vecad& control);

    QPrinter printer_;
    bool orientationChosen_ = false;
};

}  // namespace brondel::desktop
