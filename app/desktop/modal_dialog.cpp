#include "app/desktop/modal_dialog.h"

#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "app/desktop/drawing_frame.h"
#include "app/desktop/pictures.h"
#include "windows/forms.h"
#include "windows/modal_input.h"

namespace brondel::desktop {

namespace {

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The program writes CR LF line ends; Qt wants LF.
QString displayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}

// Title and version lead the About box's labels, as they do on its form.
int labelRank(const std::string& name) {
    if (name == "lblTitle") {
        return 0;
    }
    return name == "lblVersion" ? 1 : 2;
}

constexpr int kPictureSize = 88;

QFont hotkeysFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

}  // namespace

ModalDialog::ModalDialog(shell::MainWindow& main, QWidget* parent, Run run)
    : QDialog(parent), main_(main), window_(main.modal.get()), run_(std::move(run)) {
    const shell::ModalWindow& window = *window_;
    const bool hotkeys = window.name == windows::kHotkeysWindow;
    setObjectName(QString::fromStdString(window.name));
    setWindowTitle(QString::fromStdString(window.caption));
    setModal(true);
    if (windows::placementOf(window).onTop) {
        setWindowFlag(Qt::WindowStaysOnTopHint);
    }

    auto* layout = new QVBoxLayout(this);
    std::vector<std::pair<int, QLabel*>> labels;
    QLabel* picture = nullptr;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (const auto& [name, control] : window.controls) {
        const QString objectName = QString::fromStdString(name);
        if (startsWith(name, "cmd")) {
            auto* button = new QPushButton(displayText(control.text), this);
            button->setObjectName(objectName);
            // Enter belongs to the program's own key handling, not the focused button.
            button->setAutoDefault(false);
            button->setVisible(control.visible);
            connect(button, &QPushButton::clicked, this, [this, name] {
                run_([this, name] { windows::pressModalButton(main_, name); });
            });
            buttons->addWidget(button);
        } else if (startsWith(name, "txt")) {
            auto* text = new QPlainTextEdit(displayText(control.text), this);
            text->setObjectName(objectName);
            text->setReadOnly(true);
            text->setLineWrapMode(QPlainTextEdit::NoWrap);
            if (hotkeys) {
                text->setFont(hotkeysFont());
            }
            text->setVisible(control.visible);
            layout->addWidget(text, 1);
        } else if (startsWith(name, "Picture")) {
            picture = new QLabel(this);
            picture->setObjectName(objectName);
            picture->setPixmap(logoPixmap(kPictureSize));
            picture->setVisible(control.visible);
        } else if (!control.text.empty()) {
            auto* label = new QLabel(displayText(control.text), this);
            label->setObjectName(objectName);
            label->setWordWrap(true);
            label->setVisible(control.visible);
            if (name == "lblTitle") {
                QFont font = label->font();
                font.setBold(true);
                font.setPointSizeF(font.pointSizeF() * 1.5);
                label->setFont(font);
            }
            labels.emplace_back(labelRank(name), label);
        }
    }
    std::stable_sort(labels.begin(), labels.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // A picture stands at the left of the labels, as on the About box's form.
    QBoxLayout* labelColumn = layout;
    if (picture != nullptr) {
        auto* row = new QHBoxLayout;
        row->addWidget(picture, 0, Qt::AlignTop);
        labelColumn = new QVBoxLayout;
        row->addLayout(labelColumn, 1);
        layout->addLayout(row, 1);
    }
    for (const auto& [rank, label] : labels) {
        labelColumn->addWidget(label);
    }
    if (!labels.empty()) {
        labelColumn->addStretch();
    }
    layout->addLayout(buttons);
}

QPushButton* ModalDialog::button(const std::string& control) const {
    return findChild<QPushButton*>(QString::fromStdString(control));
}

void ModalDialog::place(const QWidget& over) {
    const windows::FormPlacement placement = windows::placementOf(*window_);
    resize(placement.width / DrawingFrame::kTwipsPerPixel,
           placement.height / DrawingFrame::kTwipsPerPixel);
    const QRect area = over.frameGeometry();
    move(area.center() - rect().center());
}

void ModalDialog::keyPressEvent(QKeyEvent* event) {
    int code = 0;
    switch (event->key()) {
        case Qt::Key_Escape:
            code = windows::kKeyEscape;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            code = windows::kKeyEnter;
            break;
        default:
            QDialog::keyPressEvent(event);
            return;
    }
    event->accept();
    run_([this, code] { windows::modalKey(main_, code); });
}

// The window's close box unloads it as Escape does; the main frame then takes
// the dialog down with the program's modal window.
void ModalDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (main_.modal.get() == window_) {
        run_([this] { windows::modalKey(main_, windows::kKeyEscape); });
    }
}

}  // namespace brondel::desktop
