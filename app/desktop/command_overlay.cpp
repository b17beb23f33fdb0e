#include "app/desktop/command_overlay.h"

#include <QPainter>
#include <QPolygonF>

#include "app/desktop/view_painter.h"
#include "engine/vecad.h"

namespace brondel::desktop {

namespace {

constexpr QRgb kRubberBand = 0xffe0e0e0;
constexpr QRgb kPreview = 0xff60d0ff;
// Previews draw a little heavier than the drawing, so they stand out.
constexpr double kPreviewPixelsPerMm = 6;
constexpr QRgb kWindowFill = 0x402060ff;
constexpr QRgb kCrossingFill = 0x4020c040;
constexpr QRgb kSnapMarker = 0xffffc000;
constexpr double kMarker = 5;  // half the marker's size, pixels

QPointF onScreen(const engine::View& view, engine::Point2 p) {
    const engine::Point2 w = view.toWindow(p.x, p.y);
    return {w.x, w.y};
}

void paintSnapMarker(QPainter& p, QPointF c, engine::SnapKind kind) {
    p.setPen(QPen(QColor::fromRgba(kSnapMarker), 2));
    p.setBrush(Qt::NoBrush);
    const double m = kMarker;
    switch (kind) {
        case engine::SnapKind::Endpoint:
            p.drawRect(QRectF(c.x() - m, c.y() - m, 2 * m, 2 * m));
            break;
        case engine::SnapKind::Midpoint:
            p.drawPolygon(QPolygonF({QPointF(c.x(), c.y() - m), QPointF(c.x() + m, c.y() + m),
                                     QPointF(c.x() - m, c.y() + m)}));
            break;
        case engine::SnapKind::Center:
            p.drawEllipse(c, m, m);
            break;
        case engine::SnapKind::Node:
            p.drawEllipse(c, m, m);
            p.drawLine(QPointF(c.x() - m, c.y() - m), QPointF(c.x() + m, c.y() + m));
            p.drawLine(QPointF(c.x() - m, c.y() + m), QPointF(c.x() + m, c.y() - m));
            break;
        case engine::SnapKind::Intersection:
            p.drawLine(QPointF(c.x() - m, c.y() - m), QPointF(c.x() + m, c.y() + m));
            p.drawLine(QPointF(c.x() - m, c.y() + m), QPointF(c.x() + m, c.y() - m));
            break;
        case engine::SnapKind::Perpendicular:
            p.drawPolyline(QPolygonF({QPointF(c.x() - m, c.y() - m), QPointF(c.x() - m, c.y() + m),
                                      QPointF(c.x() + m, c.y() + m)}));
            p.drawPolyline(QPolygonF(
                {QPointF(c.x() - m, c.y()), QPointF(c.x(), c.y()), QPointF(c.x(), c.y() + m)}));
            break;
        case engine::SnapKind::Tangent:
            p.drawEllipse(c, m * 0.7, m * 0.7);
            p.drawLine(QPointF(c.x() - m, c.y() - m), QPointF(c.x() + m, c.y() - m));
            break;
        case engine::SnapKind::Grip:
            p.fillRect(QRectF(c.x() - m * 0.6, c.y() - m * 0.6, 1.2 * m, 1.2 * m),
                       QColor::fromRgba(kSnapMarker));
            break;
        case engine::SnapKind::Nearest:
            p.drawPolygon(
                QPolygonF({QPointF(c.x() - m, c.y() - m), QPointF(c.x() + m, c.y() - m),
                           QPointF(c.x() - m, c.y() + m), QPointF(c.x() + m, c.y() + m)}));
            break;
    }
}

}  // namespace

void paintCommandOverlay(QPainter& p, const engine::Vecad& vecad) {
    const engine::View& view = vecad.view();
    const engine::RubberBand& band = vecad.rubberBand();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    if (band.rectangle) {
        const QRectF r =
            QRectF(onScreen(view, band.rectangle->corner1), onScreen(view, band.rectangle->corner2))
                .normalized();
        const bool crossing = band.rectangle->crossing;
        p.setPen(QPen(QColor::fromRgba(kRubberBand), 1, crossing ? Qt::DashLine : Qt::SolidLine));
        p.setBrush(QColor::fromRgba(crossing ? kCrossingFill : kWindowFill));
        p.drawRect(r);
    }
    if (vecad.preview().liveCount() > 0) {
        // What the command would add, drawn as the entities themselves are.
        ViewPainter painter;
        painter.paint(p, vecad.preview(), view, kPreview, kPreviewPixelsPerMm);
    }
    if (const std::optional<engine::SnapHit>& hit = vecad.snapHit()) {
        paintSnapMarker(p, onScreen(view, hit->point), hit->kind);
    }
    p.restore();
}

}  // namespace brondel::desktop
