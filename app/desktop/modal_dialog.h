#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "shell/main_window.h"

class QPushButton;

namespace brondel::desktop {

// One of the program's own modal windows (About box, hot-keys window) on
// screen, built from the headless window. Its buttons and keys go back to the
// program through `run`; the main frame closes it when the program's modal
// window is gone.
class ModalDialog : public QDialog {
    Q_OBJECT
  public:
    using Run = std::function<void(const std::function<void()>&)>;

    ModalDialog(shell::MainWindow& main, QWidget* parent, Run run);

    // The headless window this dialog shows.
    const shell::ModalWindow* window() const { return window_; }
    // Null when the window has no control of that name or it is no button.
    QPushButton* button(const std::string& control) const;
    // Sizes the dialog as the program places it and centres it on `over`.
    void place(const QWidget& over);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    shell::MainWindow& main_;
    const shell::ModalWindow* window_;
    Run run_;
};

}  // namespace brondel::desktop
