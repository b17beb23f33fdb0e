#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>
#include <vector>

#include "app/desktop/view_painter.h"
#include "engine/vecad.h"
#include "engine/view.h"
#include "shell/change_signal.h"

namespace brondel::documents {
class ControlEvents;
}

namespace brondel::desktop {

// The engine's navigator on screen: a small tool window over the main
// window with the whole drawing and the rectangle its drawing view shows. A
// click there centres the view on that point; dragging keeps centring it.
class Navigator : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSize = 144;  // pixels, as the control creates it

    // Shows a navigator for the control's view once the control has made
    // one; the window then lives as long as owner.
    static void follow(engine::Vecad& vecad, documents::ControlEvents& events, QWidget& view,
                       QWidget& owner);

    Navigator(engine::Vecad& vecad, documents::ControlEvents& events, QWidget& view,
              QWidget* owner);
    ~Navigator() override;

    // The part of the drawing the view shows, in this window's pixels.
    QRectF viewRectangle();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void renderIfStale();
    void centreAt(QPointF at);

    engine::Vecad& vecad_;
    documents::ControlEvents& events_;
    QWidget& view_;
    std::vector<shell::ChangeSignal::Connection> connections_;
    ViewPainter painter_;
    engine::View whole_;
    QImage picture_;
    bool stale_ = true;
};

}  // namespace brondel::desktop
