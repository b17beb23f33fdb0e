// Before any Qt header: its emit macro would hide ChangeSignal::emit.
#include "documents/drawing_window.h"

#include "app/desktop/drawing_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "app/desktop/command_guard.h"
#include "app/desktop/command_overlay.h"
#include "app/desktop/key_codes.h"
#include "app/desktop/path_marks.h"
#include "engine/cad.h"

namespace brondel::desktop {

namespace {

constexpr double kWheelZoomIn = 1.25;
constexpr double kWheelZoomOut = 0.8;
constexpr QRgb kCrosshair = 0xffc0c0c0;
// Pixels from the marked point to the tip's corner, clear of the marker.
constexpr int kSnapTipOffset = 12;
constexpr QRgb kRowMark = 0xffff40ff;
constexpr double kRowMarkRadius = 6;  // pixels
constexpr QRgb kGridDot = 0xff707070;
// Closer than this the dots would grey the whole view.
constexpr double kFewestGridPixels = 8;

void paintGrid(QPainter& p, const engine::View& view, double step) {
    if (step / view.scale() < kFewestGridPixels) {
        return;
    }
    p.setPen(QColor::fromRgb(kGridDot));
    // Counted, not added up: far from the origin x += step could stand still.
    const double left = std::ceil(view.left() / step), bottom = std::ceil(view.bottom() / step);
    const int columns = static_cast<int>(std::floor(view.right() / step) - left) + 1;
    const int rows = static_cast<int>(std::floor(view.top() / step) - bottom) + 1;
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j) {
            const engine::Point2 at = view.toWindow((left + i) * step, (bottom + j) * step);
            p.drawPoint(QPointF(at.x, at.y));
        }
    }
}

}  // namespace

DrawingView::DrawingView(engine::Vecad& vecad, documents::DrawingWindow& window, bool isPreview,
                         QWidget* parent)
    : QWidget(parent),
      vecad_(vecad),
      window_(window),
      events_(&vecad == &window.Vecad2 ? window.vecad2Events : window.vecad1Events),
      isPreview_(isPreview) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::BlankCursor);
    const auto redraw = [this] { invalidate(); };
    connections_.push_back(events_.regeneratedSignal.scoped([this] {
        painter_.forget();
        invalidate();
    }));
    connections_.push_back(events_.redrawnSignal.scoped(redraw));
    connections_.push_back(events_.viewChangedSignal.scoped(redraw));
    // The rubber band and the snap marker are drawn over the picture.
    connections_.push_back(events_.rubberBandSignal.scoped([this] { update(); }));
    if (!isPreview_) {
        connections_.push_back(window_.deadEndChanged.scoped([this] { update(); }));
    }
}

DrawingView::~DrawingView() = default;

// A picture already invalid waits for its paint (or for the view to be
// shown): asking again would only cost a long walk a call at every step.
void DrawingView::invalidate() {
    if (pictureValid_) {
        pictureValid_ = false;
        update();
    }
}

void DrawingView::paintEvent(QPaintEvent*) {
    const engine::View& view = vecad_.view();
    if (!pictureValid_ || picture_.width() != view.width() || picture_.height() != view.height()) {
        if (picture_.width() != view.width() || picture_.height() != view.height()) {
            picture_ = QImage(view.width(), view.height(), QImage::Format_RGB32);
        }
        ViewPainter::Selected selected;
        if (vecad_.SelCount() > 0) {
            selected = [this](engine::Handle h) {
                return vecad_.isSelected(vecad_.shownSource(h));
            };
        }
        painter_.setDrawingFile(vecad_.GetFileName());
        painter_.render(picture_, vecad_.shown(), view, selected);
        pictureValid_ = true;
    }
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    if (vecad_.GridGetShow()) {
        paintGrid(p, view, vecad_.GridGetStep());
    }
    paintCommandOverlay(p, vecad_);
    if (mark_) {
        const engine::Point2 at = view.toWindow(mark_->x, mark_->y);
        p.setPen(QPen(QColor::fromRgb(kRowMark), 2));
        p.drawEllipse(QPointF(at.x, at.y), kRowMarkRadius, kRowMarkRadius);
    }
    if (isPreview_) {
        paintDirectionMarks(p, view, pathMarks_);
    } else if (vecad_.viewDirection() == engine::ViewDirection::Top) {
        // The cutting path's marks lie in the XY plane a 3D view turns away.
        paintPathMarks(p, window_);
    }
    if (cursorInside_) {
        const int half = engine::CadGetCrosshairLength() / 2;
        p.setPen(QColor::fromRgb(kCrosshair));
        p.drawLine(cursor_.x() - half, cursor_.y(), cursor_.x() + half, cursor_.y());
        p.drawLine(cursor_.x(), cursor_.y() - half, cursor_.x(), cursor_.y() + half);
    }
}

void DrawingView::resizeEvent(QResizeEvent* event) {
    vecad_.view().resize(event->size().width(), event->size().height());
    invalidate();
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) {
        return;
    }
    const QPointF at = event->position();
    vecad_.rememberView();
    engine::View view = vecad_.view();
    view.zoomBy(steps > 0 ? kWheelZoomIn : kWheelZoomOut, view.toWorld(at.x(), at.y()));
    vecad_.setView(view.center(), view.scale());
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        panFrom_ = at.toPoint();
        vecad_.rememberView();
        return;
    }
    if (isPreview_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) {
        return;
    }
    runGuarded([this, at, event] {
        window_.buttonPressed(at.x(), at.y(), event->button() == Qt::RightButton);
    });
    // A press may erase or change entities without telling the view.
    painter_.forget();
    invalidate();
}

void DrawingView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (panning_) {
        const engine::View& view = vecad_.view();
        const engine::Point2 c = view.center();
        const QPoint d = at - panFrom_;
        vecad_.setView({c.x - d.x() * view.scale(), c.y + d.y() * view.scale()}, view.scale());
        panFrom_ = at;
    }
    cursor_ = at;
    cursorInside_ = true;
    if (!isPreview_) {
        runGuarded([this, at] { vecad_.cursorAt(at.x(), at.y()); });
        followSnapTip();
    }
    const engine::Point2 world = vecad_.view().toWorld(at.x(), at.y());
    window_.cursorMoved(world.x, world.y, 0);
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        panning_ = false;
        return;
    }
    if (!isPreview_ && event->button() == Qt::LeftButton) {
        const QPointF at = event->position();
        runGuarded([this, at] { vecad_.releaseAt(at.x(), at.y()); });
    }
}

void DrawingView::setMark(std::optional<engine::Point2> at) {
    mark_ = at;
    update();
}

void DrawingView::setPathMarks(coordfiles::DatPathMarks marks) {
    pathMarks_ = std::move(marks);
    update();
}

// The snap marker names its kind beside itself, at once, as the cursor
// finds it; the tip goes with the marker.
void DrawingView::followSnapTip() {
    const std::optional<engine::SnapHit>& hit = vecad_.snapHit();
    if (!hit) {
        setToolTip({});
        QToolTip::hideText();
        return;
    }
    const QString name = QString::fromLatin1(engine::snapKindName(hit->kind));
    setToolTip(name);
    const engine::Point2 at = vecad_.view().toWindow(hit->point.x, hit->point.y);
    QToolTip::showText(mapToGlobal(QPoint(static_cast<int>(at.x) + kSnapTipOffset,
                                          static_cast<int>(at.y) + kSnapTipOffset)),
                       name, this);
}

void DrawingView::leaveEvent(QEvent*) {
    cursorInside_ = false;
    update();
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
    const int code = programKeyCode(event->key(), event->modifiers());
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    runGuarded([this, code] { window_.keyPressed(code); });
    painter_.forget();
    invalidate();
}

}  // namespace brondel::desktop
