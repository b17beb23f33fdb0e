#pragma once

#include <QPageLayout>
#include <QRectF>

#include "engine/drawing.h"

class QPainter;
class QPrinter;

// A drawing on paper: fitted to the printable area with its aspect kept,
// black lines on white, drawn as vectors.
namespace brondel::desktop {

// Paints the drawing into area (device pixels of a device of dpi dots per inch).
void paintDrawingPage(QPainter& painter, const QRectF& area, double dpi,
                      const engine::Drawing& drawing);

// Prints the drawing on one page of the printer as it is set up. Throws
// brondel::Error when the printer (or its output file) cannot be opened.
void printDrawing(QPrinter& printer, const engine::Drawing& drawing);

// Landscape for a drawing wider than tall, else portrait.
QPageLayout::Orientation orientationFor(const engine::Drawing& drawing);

}  // namespace brondel::desktop
