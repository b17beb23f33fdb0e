// Before any Qt header: its emit macro would hide ChangeSignal::emit.
#include "documents/drawing_window.h"

#include "app/desktop/navigator.h"

#include <QEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace brondel::desktop {

namespace {

constexpr int kNavigatorExists = 4;
constexpr QRgb kViewFrame = 0xffe04040;

// Where the control puts the navigator: the top-left corner of the main
// window's client area (the area the drawing windows share).
QPoint clientOrigin(const QWidget& owner) {
    const QWidget* top = owner.window();
    if (const auto* main = qobject_cast<const QMainWindow*>(top); main && main->centralWidget()) {
        return main->centralWidget()->mapToGlobal(QPoint(0, 0));
    }
    return top->mapToGlobal(QPoint(0, 0));
}

}  // namespace

void Navigator::follow(engine::Vecad& vecad, documents::ControlEvents& events, QWidget& view,
                       QWidget& owner) {
    const QPointer<QWidget> guard(&owner);
    const auto show = [&vecad, &events, &view, guard] {
        if (guard.isNull()) {
            return;
        }
        auto* navigator = guard->findChild<Navigator*>(QString(), Qt::FindDirectChildrenOnly);
        if (navigator == nullptr) {
            navigator = new Navigator(vecad, events, view, guard.data());
            navigator->move(clientOrigin(*guard));
        }
        navigator->show();
    };
    vecad.navigatorCreated = show;
    if (vecad.NavGetParam(kNavigatorExists)) {
        show();
    }
}

// The control keeps its navigator while it lives, so the window has no
// close button: closed, it could not be made again.
Navigator::Navigator(engine::Vecad& vecad, documents::ControlEvents& events, QWidget& view,
                     QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      vecad_(vecad),
      events_(events),
      view_(view) {
    setObjectName(QStringLiteral("navigator"));
    setWindowTitle(tr("Navigator"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kSize, kSize);
    setCursor(Qt::PointingHandCursor);
    whole_.resize(kSize, kSize);
    view.installEventFilter(this);
    connections_.push_back(events.regeneratedSignal.scoped([this] {
        painter_.forget();
        stale_ = true;
        update();
    }));
    connections_.push_back(events.viewChangedSignal.scoped([this] { update(); }));
}

Navigator::~Navigator() = default;

// Presses and keys in the view may change the drawing without a
// regeneration; every repaint of the view may show another part of it.
bool Navigator::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::KeyPress:
                painter_.forget();
                stale_ = true;
                update();
                break;
            case QEvent::Paint:
                update();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Navigator::renderIfStale() {
    if (!stale_) {
        return;
    }
    whole_.zoomExtents(vecad_.shown().extents());
    if (picture_.size() != QSize(kSize, kSize)) {
        picture_ = QImage(kSize, kSize, QImage::Format_RGB32);
    }
    painter_.render(picture_, vecad_.shown(), whole_, {});
    stale_ = false;
}

QRectF Navigator::viewRectangle() {
    renderIfStale();
    const engine::View& seen = vecad_.view();
    const engine::Point2 topLeft = whole_.toWindow(seen.left(), seen.top());
    const engine::Point2 bottomRight = whole_.toWindow(seen.right(), seen.bottom());
    return QRectF(QPointF(topLeft.x, topLeft.y), QPointF(bottomRight.x, bottomRight.y));
}

void Navigator::paintEvent(QPaintEvent*) {
    const QRectF shown = viewRectangle();
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    p.setPen(QColor::fromRgb(kViewFrame));
    p.drawRect(shown);
}

void Navigator::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        centreAt(event->position());
    }
}

void Navigator::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        centreAt(event->position());
    }
}

void Navigator::centreAt(QPointF at) {
    renderIfStale();
    engine::View& view = vecad_.view();
    view.set(whole_.toWorld(at.x(), at.y()), view.scale());
    events_.viewChanged();
    update();
}

}  // namespace brondel::desktop
