#pragma once

#include <QObject>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/entity.h"
#include "shell/change_signal.h"

class QComboBox;
class QToolBar;

namespace brondel::shell {
class MainWindow;
}

namespace brondel::desktop {

class ToolbarBinding;

// The engine's four selector boxes (layers, colours, line types, line
// weights) in the toolbar that hosts them, where the program asked for
// them at start. They show the active drawing: its layers with the current
// one chosen, and what the selected entities share. A choice changes the
// selected entities as one undo step; a layer also becomes current.
class SelectorBoxes : public QObject {
    Q_OBJECT
  public:
    enum Kind { Layers = 101, Colors = 102, LineTypes = 103, LineWeights = 104 };

    SelectorBoxes(shell::MainWindow& main, ToolbarBinding& toolbars);
    ~SelectorBoxes() override;

    // Null for a box the program did not ask for.
    QComboBox* box(Kind kind) const;

  private:
    void followActive();
    void follow();
    void choose(Kind kind, int index);

    shell::MainWindow& main_;
    QComboBox* boxes_[4] = {};
    // What each box's rows stand for, row by row.
    std::vector<std::string> layers_;
    std::vector<engine::Color> colors_;
    std::vector<std::string> lineTypes_;
    std::vector<std::int16_t> lineWeights_;
    shell::ChangeSignal::Connection windows_;
    shell::ChangeSignal::Connection drawing_;
    shell::ChangeSignal::Connection redrawn_;
};

}  // namespace brondel::desktop
