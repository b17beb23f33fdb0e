#include "app/desktop/path_marks.h"

#include <QPainter>
#include <QPen>

#include "documents/drawing_window.h"

namespace brondel::desktop {

namespace {

constexpr double kRingRadius = 8;  // pixels

QPointF onScreen(const engine::View& view, engine::Point2 p) {
    const engine::Point2 w = view.toWindow(p.x, p.y);
    return {w.x, w.y};
}

void ring(QPainter& painter, QPointF at, QColor color) {
    painter.setPen(QPen(color, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, kRingRadius, kRingRadius);
    painter.drawLine(at - QPointF(kRingRadius / 2, 0), at + QPointF(kRingRadius / 2, 0));
    painter.drawLine(at - QPointF(0, kRingRadius / 2), at + QPointF(0, kRingRadius / 2));
}

}  // namespace

void paintPathMarks(QPainter& painter, const documents::DrawingWindow& window) {
    if (!window.deadEnd) {
        return;
    }
    const engine::View& view = window.Vecad1.view();
    const QPointF at = onScreen(view, window.deadEnd->at);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (window.deadEnd->nearest) {
        const QPointF nearest = onScreen(view, *window.deadEnd->nearest);
        painter.setPen(QPen(QColor(255, 160, 0), 1, Qt::DashLine));
        painter.drawLine(at, nearest);
        ring(painter, nearest, QColor(0, 200, 0));
    }
    ring(painter, at, QColor(230, 0, 0));
    painter.restore();
}

void paintDirectionMarks(QPainter& painter, const engine::View& view,
                         const coordfiles::DatPathMarks& marks) {
    constexpr double kArrow = 7;  // pixels
    constexpr double kStartDot = 5;
    if (!marks.start) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(220, 40, 40), 1.5));
    for (const coordfiles::PathArrow& arrow : marks.arrows) {
        const QPointF tip = onScreen(view, arrow.at);
        // Screen y runs down.
        const QPointF along(arrow.direction.x, -arrow.direction.y);
        const QPointF across(-along.y(), along.x());
        const QPointF base = tip - along * kArrow;
        painter.drawLine(base + across * kArrow / 2, tip);
        painter.drawLine(base - across * kArrow / 2, tip);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 170, 0));
    painter.drawEllipse(onScreen(view, *marks.start), kStartDot, kStartDot);
    painter.restore();
}

}  // namespace brondel::desktop
