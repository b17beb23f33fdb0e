#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "shell/main_window.h"

class QLabel;

namespace brondel::desktop {

// The splash window on screen: a frameless window with the logo, the
// program's name and the version the program's splash window holds.
class SplashWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(const shell::MainWindow& main);

    QLabel* versionLabel() const { return version_; }
    // How long the splash is seen at least, in milliseconds.
    static constexpr int kShownMs = 1000;

    // What the program's splash does when it is first activated: it shows
    // the main window and hides itself once it has been seen kShownMs.
    void showMainWindow(QWidget& mainWindow);

  protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QLabel* version_ = nullptr;
    QElapsedTimer shown_;
};

}  // namespace brondel::desktop
