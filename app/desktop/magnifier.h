#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <vector>

#include "app/desktop/view_painter.h"
#include "engine/vecad.h"
#include "shell/change_signal.h"

namespace brondel::documents {
class ControlEvents;
}

namespace brondel::desktop {

// The engine's magnifier on screen: while it is on (CadMagGetShow), a loupe
// beside the cursor shows the drawing around the cursor enlarged. It sits
// over one drawing view and shows while the cursor is in that view. The
// magnifier command ends with a redraw of the control, so the loupe looks
// at the engine's setting whenever the control is redrawn.
class Magnifier : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSize = 150;  // pixels
    static constexpr double kZoom = 3;

    Magnifier(engine::Vecad& vecad, documents::ControlEvents& events, QWidget& view);
    ~Magnifier() override;

    // The engine's magnifier is on, whether or not the cursor is in the view.
    bool on() const { return on_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void follow();
    void showAtCursor();

    engine::Vecad& vecad_;
    QWidget& view_;
    std::vector<shell::ChangeSignal::Connection> connections_;
    ViewPainter painter_;
    QImage picture_;
    QPoint cursor_;
    bool cursorInside_ = false;
    bool on_ = false;
};

}  // namespace brondel::desktop
