#include "app/desktop/menu_binding.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/desktop/button_pictures.h"
#include "app/desktop/command_guard.h"

namespace brondel::desktop {

MenuBinding::MenuBinding(shell::MenuModel& model, QMenuBar& bar, Click click)
    : QObject(&bar), model_(model), click_(std::move(click)) {
    for (const shell::MenuItem* menu : model.menus()) {
        QMenu* qmenu = bar.addMenu(QString::fromStdString(menu->caption()));
        bind(*menu, qmenu->menuAction());
        addItems(*qmenu, *menu);
        if (menu->listsWindows()) {
            windowMenu_ = qmenu;
        }
    }
    listenerId_ = model.addListener([this](const shell::MenuItem& item, shell::MenuProperty) {
        if (const auto it = actions_.find(&item); it != actions_.end()) {
            apply(item, *it->second);
        }
    });
}

MenuBinding::~MenuBinding() {
    model_.removeListener(listenerId_);
}

void MenuBinding::addItems(QMenu& menu, const shell::MenuItem& parent) {
    for (const shell::MenuItem* item : parent.children()) {
        if (item->isSeparator()) {
            bind(*item, menu.addSeparator());
        } else if (item->isSubmenu()) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item->caption()));
            bind(*item, sub->menuAction());
            addItems(*sub, *item);
        } else {
            QAction* action =
                menu.addAction(menuItemIcon(item->name()), QString::fromStdString(item->caption()));
            if (!item->shortcut().empty()) {
                action->setShortcut(QKeySequence::fromString(
                    QString::fromStdString(item->shortcut()), QKeySequence::PortableText));
            }
            bind(*item, action);
            if (!item->name().empty()) {
                connect(action, &QAction::triggered, this, [this, item, action] {
                    runGuarded([this, item] { click_(item->name()); });
                    // A click that changed nothing leaves the check mark as the model has it.
                    if (actions_.count(item) != 0) {
                        apply(*item, *action);
                    }
                });
            }
        }
    }
}

void MenuBinding::bind(const shell::MenuItem& item, QAction* action) {
    if (!item.name().empty()) {
        action->setObjectName(QString::fromStdString(item.name()));
    }
    actions_[&item] = action;
    apply(item, *action);
}

void MenuBinding::apply(const shell::MenuItem& item, QAction& action) const {
    action.setEnabled(item.enabled());
    action.setVisible(item.visible());
    if (!item.isSubmenu() && !item.isSeparator()) {
        action.setCheckable(item.checked() || action.isCheckable());
        action.setChecked(item.checked());
    }
}

QAction* MenuBinding::action(const std::string& name) const {
    const shell::MenuItem* item = model_.find(name);
    if (item == nullptr) {
        return nullptr;
    }
    const auto it = actions_.find(item);
    return it == actions_.end() ? nullptr : it->second;
}

void MenuBinding::setWindowEntries(const std::vector<QString>& titles, int activeIndex,
                                   const std::function<void(int)>& choose) {
    if (windowMenu_ == nullptr) {
        return;
    }
    for (QAction* entry : windowEntries_) {
        windowMenu_->removeAction(entry);
        entry->deleteLater();
    }
    windowEntries_.clear();
    if (titles.empty()) {
        return;
    }
    windowEntries_.push_back(windowMenu_->addSeparator());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const int index = static_cast<int>(i);
        QAction* entry =
            windowMenu_->addAction(QStringLiteral("&%1 %2").arg(index + 1).arg(titles[i]));
        entry->setCheckable(true);
        entry->setChecked(index == activeIndex);
        connect(entry, &QAction::triggered, this, [choose, index] { choose(index); });
        windowEntries_.push_back(entry);
    }
}

}  // namespace brondel::desktop
