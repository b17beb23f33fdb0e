#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "shell/main_window.h"

class QToolButton;

namespace brondel::desktop {

// The status bar's Snap, Grid and Ortho switches: each shows the active
// drawing's aid and forwards a click to the program.
class AidToggles : public QWidget {
    Q_OBJECT
  public:
    using Command = std::function<void(const std::function<void()>&)>;
    AidToggles(shell::MainWindow& main, Command command, QWidget* parent = nullptr);

    QToolButton* button(shell::DraftingAid aid) const;

  private:
    void follow();

    shell::MainWindow& main_;
    std::vector<QToolButton*> buttons_;
    std::vector<shell::ChangeSignal::Connection> connections_;
};

}  // namespace brondel::desktop
