#include "app/desktop/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>

#include "app/desktop/aid_toggles.h"
#include "app/desktop/command_guard.h"
#include "app/desktop/drawing_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/modal_dialog.h"
#include "app/desktop/progress_panel.h"
#include "app/desktop/selector_boxes.h"
#include "app/desktop/toolbar_binding.h"
#include "app/desktop/undo_hints_binding.h"

namespace brondel::desktop {

namespace {

// How often the autosave looks whether its interval has passed.
constexpr int kAutosaveTickMs = 10000;

// The arrangements the Window menu asks for.
constexpr int kCascade = 0;
constexpr int kTileHorizontal = 1;
constexpr int kTileVertical = 2;

}  // namespace

MainFrame::MainFrame(shell::MainWindow& main) : main_(main), autosave_(main) {
    setWindowTitle(QString::fromStdString(shell::MainWindow::kCaption));
    setContextMenuPolicy(Qt::PreventContextMenu);
    mdi_ = new QMdiArea(this);
    mdi_->installEventFilter(this);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainFrame::childActivated);

    menus_ = new MenuBinding(main.menus, *menuBar(), [this](const std::string& name) {
        command([this, &name] { main_.click(name); });
    });
    toolbars_ =
        new ToolbarBinding(main.toolbars, *this, [this](const std::string& toolbar, int position) {
            command([&] { main_.pressToolbar(toolbar, position); });
        });
    bindUndoHints(main, *menus_, *toolbars_);
    new SelectorBoxes(main, *toolbars_);
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // A long file name or message is cut at the panel's edge instead of
        // squeezing the progress bar and the aids out of the status bar; the
        // cursor position is short and shown whole.
        if (i > 0) {
            panels_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        }
        statusBar()->addWidget(panels_[i], i == 2 ? 2 : 1);
    }
    progress_ = new ProgressPanel(main.progress, this);
    statusBar()->addPermanentWidget(progress_);
    aids_ = new AidToggles(
        main, [this](const std::function<void()>& f) { command(f); }, this);
    statusBar()->addPermanentWidget(aids_);
    listen(main.windowsChanged, [this] { followWindows(); });
    listen(main.statusMain.changed, [this] { followStatus(); });
    listen(main.pointerChanged, [this] { followPointer(); });
    listen(main.arrangeRequested, [this] { followArrange(); });
    followStatus();
    followWindows();
    // Autosave waits for the running command's end; the tick decides
    // whether the interval has passed.
    auto* autosaveTimer = new QTimer(this);
    connect(autosaveTimer, &QTimer::timeout, this,
            [this] { command([this] { autosave_.tick(documents::Autosave::Clock::now()); }); });
    autosave_.tick(documents::Autosave::Clock::now());
    autosaveTimer->start(kAutosaveTickMs);
}

MainFrame::~MainFrame() {
    // Children going one by one must not activate the next in the program.
    disconnect(mdi_, nullptr, this, nullptr);
    if (busyCursor_) {
        QApplication::restoreOverrideCursor();
    }
    for (DrawingFrame* frame : frames_) {
        delete frame;
    }
}

void MainFrame::listen(shell::ChangeSignal& signal, std::function<void()> f) {
    connections_.push_back(signal.scoped(std::move(f)));
}

// One command at a time: the program refuses one asked for while another runs.
void MainFrame::command(const std::function<void()>& f) {
    runGuarded([this, &f] { main_.runCommand(f); });
    followTitles();
    followModal();
    followEnd();
}

// A dialog shows the program's modal window while it is open; a different
// window (or none) takes the old dialog down.
void MainFrame::followModal() {
    const shell::ModalWindow* window = main_.modal.get();
    if (modal_ != nullptr && modal_->window() == window) {
        return;
    }
    if (modal_ != nullptr) {
        modal_->hide();
        modal_->deleteLater();
        modal_ = nullptr;
    }
    if (window == nullptr) {
        return;
    }
    modal_ = new ModalDialog(main_, this, [this](const std::function<void()>& f) { command(f); });
    modal_->place(*this);
    modal_->show();
}

DrawingFrame* MainFrame::frameOf(const documents::DrawingWindow* window) const {
    const auto it = std::find_if(frames_.begin(), frames_.end(),
                                 [window](DrawingFrame* f) { return &f->window() == window; });
    return it == frames_.end() ? nullptr : *it;
}

// Children follow the program's list of windows: gone ones are removed
// (their models are already destroyed), new ones shown as the program says.
void MainFrame::followWindows() {
    following_ = true;
    const auto& windows = main_.windows();
    const auto alive = [&windows](DrawingFrame* frame) {
        return std::any_of(windows.begin(), windows.end(),
                           [frame](const auto& w) { return w.get() == &frame->window(); });
    };
    bool removedMaximized = false;
    for (auto it = frames_.begin(); it != frames_.end();) {
        if (alive(*it)) {
            ++it;
            continue;
        }
        DrawingFrame* frame = *it;
        removedMaximized = removedMaximized || frame->isMaximized();
        it = frames_.erase(it);
        mdi_->removeSubWindow(frame);
        delete frame;
    }
    for (const auto& window : windows) {
        DrawingFrame* frame = frameOf(window.get());
        if (frame == nullptr) {
            frame = new DrawingFrame(*window);
            frames_.push_back(frame);
            connect(frame, &DrawingFrame::closeAsked, this, &MainFrame::closeChild,
                    Qt::QueuedConnection);
            mdi_->addSubWindow(frame);
            // Restored, it keeps a size of its own rather than a bare title bar.
            frame->setGeometry(QRect(QPoint(0, 0), frame->sizeHint()));
            if (window->maximized) {
                frame->showMaximized();
            } else {
                frame->show();
            }
        }
        frame->followLayout();
    }
    if (DrawingFrame* active = frameOf(main_.active())) {
        mdi_->setActiveSubWindow(active);
        // Taking a maximized child away restores the one that comes to the
        // front, where switching to it would have kept it maximized.
        if (removedMaximized && !active->isMaximized()) {
            active->showMaximized();
        }
    }
    followTitles();
    following_ = false;
}

// The captions and the Windows menu name each drawing by its file, which
// Save As may have changed.
void MainFrame::followTitles() {
    std::vector<QString> titles;
    int activeIndex = -1;
    for (const auto& window : main_.windows()) {
        DrawingFrame* frame = frameOf(window.get());
        if (frame == nullptr) {
            continue;
        }
        const QString title = frame->title();
        if (frame->windowTitle() != title) {
            frame->setWindowTitle(title);
        }
        if (window.get() == main_.active()) {
            activeIndex = static_cast<int>(titles.size());
        }
        titles.push_back(title);
    }
    menus_->setWindowEntries(titles, activeIndex, [this](int index) {
        if (index < static_cast<int>(main_.windows().size())) {
            command([this, index] { main_.activate(main_.windows()[index].get()); });
        }
    });
}

void MainFrame::childActivated(QMdiSubWindow* child) {
    if (following_ || child == nullptr) {
        return;
    }
    if (auto* frame = qobject_cast<DrawingFrame*>(child)) {
        command([this, frame] { main_.activate(&frame->window()); });
    }
}

void MainFrame::closeChild(DrawingFrame* frame) {
    if (std::find(frames_.begin(), frames_.end(), frame) == frames_.end()) {
        return;
    }
    command([this, frame] { main_.closeWindow(frame->window()); });
}

void MainFrame::followStatus() {
    for (int i = 0; i < 3; ++i) {
        panels_[i]->setText(QString::fromStdString(main_.statusMain.panels[i]));
    }
}

void MainFrame::followPointer() {
    const bool busy = main_.mousePointer == shell::MousePointer::Busy;
    if (busy == busyCursor_) {
        return;
    }
    busyCursor_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void MainFrame::followArrange() {
    switch (main_.lastArrange) {
        case kCascade:
            mdi_->cascadeSubWindows();
            break;
        case kTileHorizontal:
        case kTileVertical:
            mdi_->tileSubWindows();
            break;
        default:
            break;
    }
}

// The program has ended (File > Exit, or the last close of a shutdown).
void MainFrame::followEnd() {
    if (main_.closed) {
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

// During a command the program holds the close until the command ends;
// followEnd then closes the frame.
void MainFrame::closeEvent(QCloseEvent* event) {
    if (!main_.closed) {
        runGuarded([this] { main_.closeAsked(); });
    }
    if (main_.closed) {
        event->accept();
    } else {
        event->ignore();
    }
}

// Maximized drawing windows follow the size of the area the MDI children get.
bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdi_ && event->type() == QEvent::Resize) {
        const QSize size = mdi_->size();
        main_.setInnerSize(size.width() * DrawingFrame::kTwipsPerPixel,
                           size.height() * DrawingFrame::kTwipsPerPixel);
        for (DrawingFrame* frame : frames_) {
            frame->followLayout();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace brondel::desktop
