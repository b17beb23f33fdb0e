// Before any Qt header: its emit macro would hide ChangeSignal::emit.
#include "documents/drawing_window.h"

#include "app/desktop/magnifier.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "engine/cad.h"

namespace brondel::desktop {

namespace {

constexpr int kCursorGap = 24;  // pixels between the cursor and the loupe
constexpr int kCrossHalf = 6;
constexpr QRgb kBorder = 0xffe3a21a;
constexpr QRgb kCross = 0xffc0c0c0;

}  // namespace

Magnifier::Magnifier(engine::Vecad& vecad, documents::ControlEvents& events, QWidget& view)
    : QWidget(&view), vecad_(vecad), view_(view) {
    setObjectName(QStringLiteral("magnifier"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kSize, kSize);
    hide();
    view.installEventFilter(this);
    connections_.push_back(events.regeneratedSignal.scoped([this] {
        painter_.forget();
        follow();
    }));
    connections_.push_back(events.redrawnSignal.scoped([this] { follow(); }));
    connections_.push_back(events.viewChangedSignal.scoped([this] { follow(); }));
    follow();
}

Magnifier::~Magnifier() = default;

void Magnifier::follow() {
    on_ = engine::CadMagGetShow() != 0;
    if (on_ && cursorInside_) {
        showAtCursor();
    } else {
        hide();
    }
}

bool Magnifier::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &view_) {
        switch (event->type()) {
            case QEvent::MouseMove:
                cursor_ = static_cast<QMouseEvent*>(event)->position().toPoint();
                cursorInside_ = true;
                if (on_) {
                    showAtCursor();
                }
                break;
            case QEvent::Leave:
                cursorInside_ = false;
                hide();
                break;
            // A press or a key may change entities without a regeneration,
            // as the view itself assumes.
            case QEvent::MouseButtonPress:
            case QEvent::KeyPress:
                painter_.forget();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The loupe stands below and right of the cursor, or on the other side
// where the view ends.
void Magnifier::showAtCursor() {
    int x = cursor_.x() + kCursorGap;
    int y = cursor_.y() + kCursorGap;
    if (x + kSize > view_.width()) {
        x = cursor_.x() - kCursorGap - kSize;
    }
    if (y + kSize > view_.height()) {
        y = cursor_.y() - kCursorGap - kSize;
    }
    move(std::max(0, x), std::max(0, y));

    const engine::View& seen = vecad_.view();
    engine::View enlarged;
    enlarged.resize(kSize, kSize);
    enlarged.set(seen.toWorld(cursor_.x(), cursor_.y()), seen.scale() / kZoom);
    if (picture_.size() != QSize(kSize, kSize)) {
        picture_ = QImage(kSize, kSize, QImage::Format_RGB32);
    }
    ViewPainter::Selected selected;
    if (vecad_.SelCount() > 0) {
        selected = [this](engine::Handle h) { return vecad_.isSelected(vecad_.shownSource(h)); };
    }
    painter_.render(picture_, vecad_.shown(), enlarged, selected);
    show();
    raise();
    update();
}

void Magnifier::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    const int c = kSize / 2;
    p.setPen(QColor::fromRgb(kCross));
    p.drawLine(c - kCrossHalf, c, c + kCrossHalf, c);
    p.drawLine(c, c - kCrossHalf, c, c + kCrossHalf);
    p.setPen(QPen(QColor::fromRgb(kBorder), 2));
    p.drawRect(QRectF(1, 1, kSize - 2, kSize - 2));
}

}  // namespace brondel::desktop
