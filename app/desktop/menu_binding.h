#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "shell/menu_model.h"

class QAction;
class QMenu;
class QMenuBar;

namespace brondel::desktop {

// The menu bar built from the program's menu model and kept in step with it
// through the model's listener.
class MenuBinding : public QObject {
    Q_OBJECT
  public:
    using Click = std::function<void(const std::string& itemName)>;

    MenuBinding(shell::MenuModel& model, QMenuBar& bar, Click click);
    ~MenuBinding() override;

    // Null when the model has no such named item.
    QAction* action(const std::string& name) const;
    // Replaces the entries the Windows menu lists after its own items.
    // The callback gets the index of the chosen entry.
    void setWindowEntries(const std::vector<QString>& titles, int activeIndex,
                          const std::function<void(int)>& choose);

  private:
    void addItems(QMenu& menu, const shell::MenuItem& parent);
    void bind(const shell::MenuItem& item, QAction* action);
    void apply(const shell::MenuItem& item, QAction& action) const;

    shell::MenuModel& model_;
    Click click_;
    std::map<const shell::MenuItem*, QAction*> actions_;
    QMenu* windowMenu_ = nullptr;
    std::vector<QAction*> windowEntries_;
    int listenerId_ = 0;
};

}  // namespace brondel::desktop
