#include "app/desktop/progress_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace brondel::desktop {

namespace {

constexpr int kBarWidth = 160;

}  // namespace

ProgressPanel::ProgressPanel(shell::Progress& progress, QWidget* parent)
    : QWidget(parent), progress_(progress) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    label_ = new QLabel(this);
    bar_ = new QProgressBar(this);
    bar_->setFixedWidth(kBarWidth);
    bar_->setTextVisible(false);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    connection_ = progress.changed.scoped([this] { follow(); });
    follow();
}

void ProgressPanel::follow() {
    setVisible(progress_.active());
    if (!progress_.active()) {
        return;
    }
    label_->setText(QString::fromStdString(progress_.task()));
    const std::int64_t total = progress_.total();
    if (total <= 0) {
        bar_->setRange(0, 0);  // an end not known: the bar just shows that work goes on
        return;
    }
    const std::int64_t done = std::clamp<std::int64_t>(progress_.done(), 0, total);
    // A progress bar repaints itself at once when its value moves, and a
    // repaint paints every region waiting in the window, so the drawing of a
    // million lines changing under the work would be painted at each move.
    // The bar is painted with the rest when the pump lets events through.
    bar_->setUpdatesEnabled(false);
    bar_->setRange(0, kBarSteps);
    bar_->setValue(static_cast<int>(done * kBarSteps / total));
    bar_->setUpdatesEnabled(true);
}

}  // namespace brondel::desktop
