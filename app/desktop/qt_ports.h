#pragma once

#include <QElapsedTimer>
#include <string>

#include "ports/dialogs.h"
#include "ports/printer.h"
#include "ports/pump.h"

// The desktop's implementations of the program's ports.
namespace brondel::desktop {

// Real Qt dialogs, shown over the window that has the focus.
class QtDialogs : public ports::Dialogs {
  public:
    ports::Answer messageBox(const std::string& text, ports::Buttons buttons, ports::Icon icon,
                             const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string openFile(const ports::FileDialogSetup& setup) override;
    std::string saveFile(const ports::FileDialogSetup& setup) override;
};

// Lets pending events through at most every kIntervalMs, so long loops stay
// fast and the window still repaints. Clicks and keys wait for the command's
// end: run now, they would start a command inside the running one.
class QtPump : public ports::Pump {
  public:
    static constexpr int kIntervalMs = 15;
    QtPump();
    void runOnce() override;

  private:
    QElapsedTimer sinceLast_;
};

// Prints a drawing into a PDF file beside it (print.pdf in the fallback
// folder for a drawing that has no file yet).
class PdfBesideDrawingPrinter : public ports::Printer {
  public:
    explicit PdfBesideDrawingPrinter(std::string fallbackFolder);
    void print(const engine::Vecad& control) override;
    void preview(const engine::Vecad& control) override;
    void setup() override {}
    // Where the control's drawing is printed.
    std::string pathFor(const engine::Vecad& control) const;

  private:
    std::string fallbackFolder_;
};

}  // namespace brondel::desktop
