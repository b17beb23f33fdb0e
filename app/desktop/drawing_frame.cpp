#include "app/desktop/drawing_frame.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <utility>

#include "app/desktop/command_guard.h"
#include "app/desktop/command_line_box.h"
#include "app/desktop/drawing_view.h"
#include "app/desktop/key_codes.h"
#include "app/desktop/magnifier.h"
#include "app/desktop/navigator.h"
#include "app/desktop/properties_request.h"
#include "app/desktop/row_list_model.h"
#include "coordfiles/row_mark.h"
#include "documents/file_commands.h"
#include "shell/main_window.h"
#include "windows/command_window.h"

namespace brondel::desktop {

namespace {

QRect pixels(const documents::Layout& layout) {
    constexpr int t = DrawingFrame::kTwipsPerPixel;
    return {layout.left / t, layout.top / t, layout.width / t, layout.height / t};
}

}  // namespace

DrawingFrame::DrawingFrame(documents::DrawingWindow& window, QWidget* parent)
    : QMdiSubWindow(parent), window_(window) {
    auto* content = new QWidget(this);
    vecad1_ = new DrawingView(window.Vecad1, window, false, content);
    vecad2_ = new DrawingView(window.Vecad2, window, true, content);
    new Magnifier(window.Vecad1, window.vecad1Events, *vecad1_);
    Navigator::follow(window.Vecad1, window.vecad1Events, *vecad1_, *this);
    frame1_ = new QGroupBox(content);
    // The frame stands over the drawing; its caption needs a plain ground.
    frame1_->setAutoFillBackground(true);
    cList_ = makeList(window.CList, documents::ListView::Coordinate, vecad1_, frame1_);
    dList_ = makeList(window.DList, documents::ListView::Dat, vecad2_, frame1_);
    setWidget(content);
    commandBox_ = new CommandLineBox(window.Vecad1, window.vecad1Events, content);
    vecad1_->installEventFilter(this);
    listen(window.vecad1Events.propertiesSignal,
           [this] { showPropertiesOfSelection(window_.Vecad1, window_.main(), this); });
    listen(window.vecad2Events.propertiesSignal,
           [this] { showPropertiesOfSelection(window_.Vecad2, window_.main(), this); });
    listen(window.commandWindowChanged, [this] { followLayout(); });
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(title());
    listen(window.Frame1.changed, [this] { followLayout(); });
    listen(window.vecad1Events.regeneratedSignal, [this] { setWindowTitle(title()); });
    followLayout();
}

DrawingFrame::~DrawingFrame() = default;

QWidget* DrawingFrame::drawingView() const {
    return vecad1_;
}

QWidget* DrawingFrame::previewView() const {
    return vecad2_;
}

void DrawingFrame::listen(shell::ChangeSignal& signal, std::function<void()> f) {
    connections_.push_back(signal.scoped(std::move(f)));
}

// A picked row marks its point in the view it belongs to; new rows take
// the mark away.
QListView* DrawingFrame::makeList(documents::ListBox& list, documents::ListView kind,
                                  DrawingView* marked, QWidget* parent) {
    auto* view = new QListView(parent);
    auto* model = new RowListModel(list, view);
    view->setModel(model);
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(
        view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this, &list, kind, marked](const QModelIndex& current) {
            const auto row = static_cast<std::size_t>(current.row());
            const bool valid = current.isValid() && row < list.rows.size();
            marked->setMark(valid ? coordfiles::rowMarkPoint(kind, list.rows[row]) : std::nullopt);
            if (valid) {
                window_.main().statusMain.set(3, coordfiles::rowStepText(kind, list.rows, row));
            }
        });
    listen(list.changed, [this, &list, kind, model, marked] {
        model->reload();
        marked->setMark(std::nullopt);
        if (kind == documents::ListView::Dat) {
            marked->setPathMarks(coordfiles::datPathMarks(list.rows));
        }
        followLayout();
    });
    return view;
}

QSize DrawingFrame::sizeHint() const {
    constexpr QSize kSmallest(320, 240);
    const QMdiArea* area = mdiArea();
    return area == nullptr ? kSmallest : (area->size() * 2 / 3).expandedTo(kSmallest);
}

QString DrawingFrame::title() const {
    // Every new drawing bears the same default name until it is saved as another.
    const std::string name = window_.Vecad1.GetFileName();
    if (name.empty() || name == documents::kNewDrawingName) {
        return tr("Drawing %1").arg(window_.serial());
    }
    return QFileInfo(QString::fromStdString(name)).fileName();
}

void DrawingFrame::followLayout() {
    // The command line docks under the drawing, across what shows of it.
    QRect drawing = pixels(window_.vecad1Layout);
    const bool docked = window_.commandWindowVisible;
    if (docked) {
        const QRect shown = widget()->rect();
        const int height = pixels(windows::commandBoxLayout(window_)).height();
        const int bottom = std::min(drawing.bottom(), shown.bottom());
        const int right = std::min(drawing.right(), shown.right());
        commandBox_->setGeometry(
            QRect(QPoint(drawing.left(), bottom - height + 1), QPoint(right, bottom)));
        drawing.setBottom(bottom - height);
    }
    vecad1_->setGeometry(drawing);
    vecad2_->setGeometry(pixels(window_.vecad2Layout));
    vecad1_->setVisible(window_.Vecad1.visible);
    vecad2_->setVisible(window_.Vecad2.visible);
    frame1_->setTitle(QString::fromStdString(window_.Frame1.caption));
    frame1_->setGeometry(pixels(window_.Frame1.layout));
    frame1_->setVisible(window_.Frame1.visible);
    frame1_->raise();
    cList_->setGeometry(pixels(window_.CList.layout));
    cList_->setVisible(window_.CList.visible);
    dList_->setGeometry(pixels(window_.DList.layout));
    dList_->setVisible(window_.DList.visible);
    if (docked && commandBox_->isHidden()) {
        commandBox_->show();
        commandBox_->input()->setFocus();  // what the user types next goes there
    }
    commandBox_->setVisible(docked);
    followCovered();
}

// Zoom Extents fits what the user can see of each drawing: not what the
// list frame lies over, nor what a smaller (tiled, cascaded) window cuts off.
void DrawingFrame::followCovered() {
    const QRect shown = widget()->rect();
    for (auto [control, vecad] :
         {std::pair{vecad1_, &window_.Vecad1}, {vecad2_, &window_.Vecad2}}) {
        const QRect at = control->geometry();
        QRect seen = at & shown;
        if (frame1_->isVisibleTo(this) && frame1_->geometry().intersects(seen) &&
            frame1_->geometry().left() <= seen.left()) {
            seen.setLeft(std::min(frame1_->geometry().right() + 1, seen.right()));
        }
        if (seen.isEmpty()) {
            seen = at;
        }
        engine::View view = vecad->view();
        view.setCovered({seen.left() - at.left(), seen.top() - at.top(), at.right() - seen.right(),
                         at.bottom() - seen.bottom()});
        if (view.covered() != vecad->view().covered()) {
            vecad->view().setCovered(view.covered());
            vecad->setView(view.center(), view.scale());  // tells the views to repaint
        }
    }
}

// Typing over the drawing goes on in the docked command line, as a point,
// a number or a command name; the keypad's signs still zoom.
bool DrawingFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == vecad1_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        constexpr Qt::KeyboardModifiers kNotTyping =
            Qt::KeypadModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        const bool typing = !text.isEmpty() && text.at(0).isPrint() &&
                            (key->modifiers() & kNotTyping) == Qt::NoModifier;
        if (typing) {
            // Typed at a prompt with the command line hidden, it would go nowhere.
            runGuarded([this] { windows::showCommandWindow(window_.main()); });
        }
        if (typing && window_.commandWindowVisible) {
            commandBox_->input()->setFocus();
            commandBox_->input()->insert(text);
            return true;
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void DrawingFrame::resizeEvent(QResizeEvent* event) {
    QMdiSubWindow::resizeEvent(event);
    if (commandBox_ != nullptr) {  // built whole
        followLayout();
    }
}

// The main frame asks the program, which may refuse; the child goes when the
// program's window does.
void DrawingFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    Q_EMIT closeAsked(this);
}

void DrawingFrame::keyPressEvent(QKeyEvent* event) {
    const int code = programKeyCode(event->key(), event->modifiers());
    if (code == 0) {
        QMdiSubWindow::keyPressEvent(event);
        return;
    }
    runGuarded([this, code] { window_.keyPressed(code); });
}

}  // namespace brondel::desktop
