#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/desktop/view_painter.h"
#include "coordfiles/row_mark.h"
#include "engine/vecad.h"
#include "shell/change_signal.h"

// The widget that shows one drawing control of a drawing window: it paints
// the control's drawing through its view, keeps the view's size, zooms
// with the wheel, pans with the middle button and hands presses, keys and
// cursor moves to the window's handlers.
namespace brondel::documents {
class ControlEvents;
class DrawingWindow;
}  // namespace brondel::documents

namespace brondel::desktop {

class DrawingView : public QWidget {
    Q_OBJECT

  public:
    // isPreview: the DAT preview control, which shows and zooms but takes no presses.
    DrawingView(engine::Vecad& vecad, documents::DrawingWindow& window, bool isPreview,
                QWidget* parent = nullptr);
    ~DrawingView() override;

    // A point marked over the view, not in the drawing: the picked list row.
    void setMark(std::optional<engine::Point2> at);
    std::optional<engine::Point2> mark() const { return mark_; }
    // The DAT path's start and direction, drawn over the preview.
    void setPathMarks(coordfiles::DatPathMarks marks);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The picture must be rendered again (the drawing or the view changed).
    void invalidate();
    void followSnapTip();

    engine::Vecad& vecad_;
    documents::DrawingWindow& window_;
    documents::ControlEvents& events_;
    bool isPreview_;
    std::vector<shell::ChangeSignal::Connection> connections_;

    ViewPainter painter_;
    QImage picture_;
    bool pictureValid_ = false;

    QPoint cursor_;
    bool cursorInside_ = false;
    std::optional<engine::Point2> mark_;
    coordfiles::DatPathMarks pathMarks_;
    bool panning_ = false;
    QPoint panFrom_;
};

}  // namespace brondel::desktop
