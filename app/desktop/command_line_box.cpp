// Before any Qt header: its emit macro would hide ChangeSignal::emit.
#include "documents/drawing_window.h"

#include "app/desktop/command_line_box.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/desktop/command_guard.h"

namespace brondel::desktop {

namespace {

// Where the engine's command window starts inside the box, in pixels; it
// runs across the box, which runs across the drawing.
constexpr int kMarginX = 10;
constexpr int kMarginY = 4;
constexpr int kEscape = 27;

}  // namespace

CommandLineBox::CommandLineBox(engine::Vecad& vecad, documents::ControlEvents& events,
                               QWidget* parent)
    : QFrame(parent), vecad_(vecad) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto* inner = new QWidget(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(kMarginX, kMarginY, kMarginX, kMarginY);
    outer->addWidget(inner);
    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    history_ = new QPlainTextEdit(inner);
    history_->setReadOnly(true);
    history_->setFont(fixed);
    history_->setMaximumBlockCount(static_cast<int>(engine::Vecad::kHistoryLines));
    history_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(history_, 1);

    auto* row = new QHBoxLayout();
    row->setSpacing(4);
    prompt_ = new QLabel(QStringLiteral("Command:"), inner);
    prompt_->setFont(fixed);
    input_ = new QLineEdit(inner);
    input_->setFont(fixed);
    input_->installEventFilter(this);
    row->addWidget(prompt_);
    row->addWidget(input_, 1);
    layout->addLayout(row);

    for (const std::string& line : vecad_.commandHistory()) {
        history_->appendPlainText(QString::fromStdString(line));
    }
    followPrompt();
    connections_.push_back(events.historySignal.scoped([this] { appendLastLine(); }));
    connections_.push_back(events.promptSignal.scoped([this] { followPrompt(); }));
}

CommandLineBox::~CommandLineBox() = default;

void CommandLineBox::enter() {
    const std::string text = input_->text().toStdString();
    input_->clear();
    runGuarded([this, &text] { vecad_.commandInput(text); });
    // A typed point may have changed the drawing or the selection.
    vecad_.WndRedraw();
}

// Return is taken here: the line would pass it on to the drawing window,
// where it ends the running command right after the point it entered.
// Escape ends the running command, as it does over the drawing.
bool CommandLineBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != input_ || event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            enter();
            return true;
        case Qt::Key_Escape:
            input_->clear();
            runGuarded([this] { vecad_.commandKey(kEscape); });
            vecad_.WndRedraw();
            return true;
        default:
            return QFrame::eventFilter(watched, event);
    }
}

// The prompt stands in the empty line; the history keeps it too.
void CommandLineBox::followPrompt() {
    const std::string prompt = vecad_.commandPrompt();
    input_->setPlaceholderText(
        QString::fromStdString(prompt.empty() ? "a command name or code" : prompt));
}

// The newest line stays in sight.
void CommandLineBox::appendLastLine() {
    if (!vecad_.commandHistory().empty()) {
        history_->appendPlainText(QString::fromStdString(vecad_.commandHistory().back()));
        history_->verticalScrollBar()->setValue(history_->verticalScrollBar()->maximum());
    }
}

}  // namespace brondel::desktop
