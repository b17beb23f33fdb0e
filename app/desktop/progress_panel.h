#pragma once

#include <QWidget>

#include "shell/progress.h"

class QLabel;
class QProgressBar;

namespace brondel::desktop {

// What long work is doing and how far it has got: a label and a bar, shown
// only while the program's progress is active.
class ProgressPanel : public QWidget {
    Q_OBJECT
  public:
    // The bar's range for a known total; counts may exceed what an int holds.
    static constexpr int kBarSteps = 1000;

    ProgressPanel(shell::Progress& progress, QWidget* parent = nullptr);

    QLabel* label() const { return label_; }
    QProgressBar* bar() const { return bar_; }

  private:
    void follow();

    shell::Progress& progress_;
    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    shell::ChangeSignal::Connection connection_;
};

}  // namespace brondel::desktop
