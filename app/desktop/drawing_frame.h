#pragma once

#include <QMdiSubWindow>
#include <memory>
#include <vector>

#include "documents/drawing_window.h"

class QGroupBox;
class QListView;

namespace brondel::desktop {

class CommandLineBox;
class DrawingView;
class RowListModel;

// The MDI child showing one drawing window: the drawing control, the DAT
// preview control and the frame with the two lists, placed where the
// window's layouts (in twips) put them and shown as the models say.
class DrawingFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    static constexpr int kTwipsPerPixel = 15;

    DrawingFrame(documents::DrawingWindow& window, QWidget* parent = nullptr);
    ~DrawingFrame() override;

    documents::DrawingWindow& window() { return window_; }
    // Places and shows the controls as the model now says.
    void followLayout();
    // The title the window and the Windows menu show.
    QString title() const;

    // Cascaded, a window takes two thirds of the area the windows share.
    QSize sizeHint() const override;

    // The widget that shows Vecad1.
    QWidget* drawingView() const;
    // The widget that shows Vecad2, the DAT preview.
    QWidget* previewView() const;
    QListView* coordinateList() const { return cList_; }
    // The box (Picture1) that holds the engine's command window.
    CommandLineBox* commandBox() const { return commandBox_; }
    QListView* datList() const { return dList_; }

  Q_SIGNALS:
    // The user asked to close the window; the main frame decides.
    void closeAsked(DrawingFrame* frame);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void followCovered();
    void listen(shell::ChangeSignal& signal, std::function<void()> f);
    QListView* makeList(documents::ListBox& list, documents::ListView kind, DrawingView* marked,
                        QWidget* parent);

    documents::DrawingWindow& window_;
    DrawingView* vecad1_ = nullptr;
    DrawingView* vecad2_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QListView* cList_ = nullptr;
    QListView* dList_ = nullptr;
    std::vector<shell::ChangeSignal::Connection> connections_;
    CommandLineBox* commandBox_ = nullptr;
};

}  // namespace brondel::desktop
