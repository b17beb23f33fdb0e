#pragma once

#include <QFrame>
#include <vector>

#include "shell/change_signal.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace brondel::documents {
class ControlEvents;
}
namespace brondel::engine {
class Vecad;
}

namespace brondel::desktop {

// The box under the drawing that holds the engine's command window: the
// lines the control has written (prompts, what was typed, notices) and a
// line, showing the running command's prompt while empty, to type a command
// name or code, a point ("10,5", "@5,0") or a distance into.
class CommandLineBox : public QFrame {
    Q_OBJECT
  public:
    CommandLineBox(engine::Vecad& vecad, documents::ControlEvents& events, QWidget* parent);
    ~CommandLineBox() override;

    QLineEdit* input() const { return input_; }
    QPlainTextEdit* history() const { return history_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void enter();
    void followPrompt();
    void appendLastLine();

    engine::Vecad& vecad_;
    QPlainTextEdit* history_ = nullptr;
    QLabel* prompt_ = nullptr;
    QLineEdit* input_ = nullptr;
    std::vector<shell::ChangeSignal::Connection> connections_;
};

}  // namespace brondel::desktop
