#include "app/desktop/splash_window.h"

#include <QTimer>

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "app/desktop/pictures.h"
#include "ports/dialogs.h"

namespace brondel::desktop {

namespace {

constexpr int kLogoSize = 112;
constexpr double kNameScale = 2.0;

}  // namespace

SplashWindow::SplashWindow(const shell::MainWindow& main)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("splashform"));
    setWindowTitle(QString::fromStdString(main.splashCaption));

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    frame->setBackgroundRole(QPalette::Base);
    frame->setAutoFillBackground(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* logo = new QLabel(frame);
    logo->setPixmap(logoPixmap(kLogoSize));
    auto* name = new QLabel(QString::fromLatin1(ports::kApplicationTitle), frame);
    name->setObjectName(QStringLiteral("lblTitle"));
    QFont font = name->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * kNameScale);
    name->setFont(font);
    version_ = new QLabel(QString::fromStdString(main.splashVersion), frame);
    version_->setObjectName(QStringLiteral("lblVersion"));
    auto* purpose = new QLabel(tr("Drawings into CNC cutting paths"), frame);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(name);
    texts->addWidget(version_);
    texts->addSpacing(12);
    texts->addWidget(purpose);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(24, 20, 32, 20);
    row->setSpacing(24);
    row->addWidget(logo);
    row->addLayout(texts);
    row->setAlignment(texts, Qt::AlignVCenter);
    adjustSize();
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

// The main window comes up behind the splash, which stays until it has
// been seen for a while, or until the user clicks it.
void SplashWindow::showMainWindow(QWidget& mainWindow) {
    mainWindow.show();
    if (!isVisible()) {
        return;
    }
    raise();
    const qint64 left = kShownMs - shown_.elapsed();
    if (left <= 0) {
        hide();
        return;
    }
    QTimer::singleShot(int(left), this, &QWidget::hide);
}

void SplashWindow::showEvent(QShowEvent* event) {
    shown_.start();
    QWidget::showEvent(event);
}

void SplashWindow::mousePressEvent(QMouseEvent*) {
    hide();
}

}  // namespace brondel::desktop
