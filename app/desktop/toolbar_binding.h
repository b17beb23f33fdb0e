#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shell/toolbar_model.h"

class QAction;
class QMainWindow;
class QToolBar;

namespace brondel::desktop {

// The four toolbars built from the program's toolbar model, placed on the
// main window's edges and kept in step with the model through its listener.
class ToolbarBinding : public QObject {
    Q_OBJECT
  public:
    using Press = std::function<void(const std::string& toolbar, int position)>;

    ToolbarBinding(shell::ToolbarModel& model, QMainWindow& window, Press press);
    ~ToolbarBinding() override;

    // Null for an unknown toolbar.
    QToolBar* toolbar(const std::string& name) const;
    // The action at a 1-based position; null for an unknown one.
    QAction* button(const std::string& toolbar, int position) const;

  private:
    QToolBar* build(const shell::Toolbar& model, QMainWindow& window);
    void follow(const shell::Toolbar& toolbar, const shell::ToolbarButton* button,
                shell::ToolbarProperty property);

    shell::ToolbarModel& model_;
    Press press_;
    std::map<std::string, QToolBar*, std::less<>> bars_;
    std::map<std::string, std::vector<QAction*>, std::less<>> buttons_;
    int listenerId_ = 0;
};

}  // namespace brondel::desktop
