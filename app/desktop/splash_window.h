#pragma once

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
    // What the program's splash does when it is first activated: it hides
    // itself and shows the main window.
    void showMainWindow(QWidget& mainWindow);

  private:
    QLabel* version_ = nullptr;
};

}  // namespace brondel::desktop
