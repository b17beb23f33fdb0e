#include "app/desktop/page_painter.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "app/desktop/view_painter.h"
#include "base/error.h"

namespace brondel::desktop {

namespace {

// The painter draws in pixels of this size, scaled up to the device: point
// crosses, curve chords and text sizes come out as they look on screen, and
// a line is as wide on paper as its weight says.
constexpr double kLogicalDpi = 150;
constexpr double kPixelsPerMm = kLogicalDpi / 25.4;
constexpr QRgb kInk = 0xff000000;

}  // namespace

void paintDrawingPage(QPainter& painter, const QRectF& area, double dpi,
                      const engine::Drawing& drawing) {
    if (area.isEmpty() || !(dpi > 0)) {
        return;
    }
    const double factor = dpi / kLogicalDpi;
    engine::View view;
    view.resize(std::max(1, int(std::floor(area.width() / factor))),
                std::max(1, int(std::floor(area.height() / factor))));
    view.zoomExtents(drawing.extents());
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.scale(factor, factor);
    ViewPainter().paint(painter, drawing, view, kInk, kPixelsPerMm);
    painter.restore();
}

void printDrawing(QPrinter& printer, const engine::Drawing& drawing) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw Error(err::kPathFileAccess, "The printer could not be opened");
    }
    const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    paintDrawingPage(painter, area, printer.resolution(), drawing);
    painter.end();
}

QPageLayout::Orientation orientationFor(const engine::Drawing& drawing) {
    const engine::Box2 box = drawing.extents();
    return box.width() > box.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

}  // namespace brondel::desktop
