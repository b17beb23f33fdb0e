#include "app/desktop/qt_printer.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <algorithm>
#include <exception>
#include <optional>

#include "app/desktop/page_painter.h"
#include "app/desktop/raster_image.h"
#include "base/error.h"
#include "engine/pages.h"
#include "engine/vecad.h"

namespace brondel::desktop {

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution) {}

void QtPrinter::orient(const engine::Vecad& control) {
    if (const std::optional<engine::Sheet> sheet =
            engine::printedSheet(control.drawing().header())) {
        const QSizeF portrait(std::min(sheet->width, sheet->height),
                              std::max(sheet->width, sheet->height));
        printer_.setPageSize(QPageSize(portrait, QPageSize::Millimeter));
        printer_.setPageOrientation(sheet->landscape() ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
        return;
    }
    if (!orientationChosen_) {
        printer_.setPageOrientation(orientationFor(control.drawing()));
    }
}

void QtPrinter::print(const engine::Vecad& control) {
    orient(control);
    QPrintDialog dialog(&printer_, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    printDrawing(printer_, control.drawing());
}

void QtPrinter::preview(const engine::Vecad& control) {
    orient(control);
    QPrintPreviewDialog dialog(&printer_, QApplication::activeWindow());
    // A failure must not unwind through Qt's event loop; it is reported
    // once the dialog is closed.
    std::exception_ptr failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&control, &failure](QPrinter* printer) {
                         try {
                             printDrawing(*printer, control.drawing());
                         } catch (...) {
                             failure = std::current_exception();
                         }
                     });
    dialog.exec();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void QtPrinter::setup() {
    QPageSetupDialog dialog(&printer_, QApplication::activeWindow());
    if (dialog.exec() == QDialog::Accepted) {
        orientationChosen_ = true;
    }
}

std::string QtPrinter::rasterImage(const engine::Vecad& control, const engine::View& view,
                                   ports::RasterFormat format) {
    return desktop::rasterImage(control, view, format);
}

}  // namespace brondel::desktop
