#include "app/desktop/toolbar_binding.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

#include "app/desktop/button_pictures.h"
#include "app/desktop/command_guard.h"

namespace brondel::desktop {

namespace {

constexpr int kIconSize = 16;

}  // namespace

ToolbarBinding::ToolbarBinding(shell::ToolbarModel& model, QMainWindow& window, Press press)
    : QObject(&window), model_(model), press_(std::move(press)) {
    bool first = true;
    for (const std::string_view name : shell::ToolbarModel::layoutOrder()) {
        const shell::Toolbar& toolbar = model.toolbar(name);
        QToolBar* bar = build(toolbar, window);
        if (toolbar.edge() == shell::ToolbarEdge::Left) {
            window.addToolBar(Qt::LeftToolBarArea, bar);
        } else {
            if (!first) {
                window.addToolBarBreak(Qt::TopToolBarArea);
            }
            window.addToolBar(Qt::TopToolBarArea, bar);
            first = false;
        }
        bar->setVisible(toolbar.visible());
    }
    listenerId_ = model.addListener(
        [this](const shell::Toolbar& toolbar, const shell::ToolbarButton* button,
               shell::ToolbarProperty property) { follow(toolbar, button, property); });
}

ToolbarBinding::~ToolbarBinding() {
    model_.removeListener(listenerId_);
}

QToolBar* ToolbarBinding::build(const shell::Toolbar& model, QMainWindow& window) {
    auto* bar = new QToolBar(QString::fromStdString(model.title()), &window);
    bar->setObjectName(QString::fromStdString(model.name()));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(kIconSize, kIconSize));
    // The View menu shows and hides the toolbars; the bar's own menu would bypass it.
    bar->toggleViewAction()->setVisible(false);
    bars_[model.name()] = bar;
    if (model.hostsSelectorBoxes()) {
        return bar;  // SelectorBoxes fills it
    }
    std::vector<QAction*>& actions = buttons_[model.name()];
    for (const shell::ToolbarButton& button : model.buttons()) {
        QAction* action = nullptr;
        if (button.isSeparator()) {
            action = bar->addSeparator();
        } else {
            action = bar->addAction(buttonIcon(model.name(), button.position()),
                                    QString::fromStdString(button.caption()));
            action->setToolTip(QString::fromStdString(button.caption()));
            const std::string name = model.name();
            const int position = button.position();
            connect(action, &QAction::triggered, this, [this, name, position] {
                runGuarded([this, &name, position] { press_(name, position); });
            });
        }
        action->setEnabled(button.enabled());
        action->setVisible(button.visible());
        actions.push_back(action);
    }
    return bar;
}

void ToolbarBinding::follow(const shell::Toolbar& toolbar, const shell::ToolbarButton* button,
                            shell::ToolbarProperty property) {
    QToolBar* bar = this->toolbar(toolbar.name());
    if (bar == nullptr) {
        return;
    }
    QAction* action = button ? this->button(toolbar.name(), button->position()) : nullptr;
    switch (property) {
        case shell::ToolbarProperty::Visible:
            bar->setVisible(toolbar.visible());
            break;
        case shell::ToolbarProperty::ButtonEnabled:
            if (action) {
                action->setEnabled(button->enabled());
            }
            break;
        case shell::ToolbarProperty::ButtonVisible:
            if (action) {
                action->setVisible(button->visible());
            }
            break;
        case shell::ToolbarProperty::Redraw:
            bar->update();
            break;
    }
}

QToolBar* ToolbarBinding::toolbar(const std::string& name) const {
    const auto it = bars_.find(name);
    return it == bars_.end() ? nullptr : it->second;
}

QAction* ToolbarBinding::button(const std::string& toolbar, int position) const {
    const auto it = buttons_.find(toolbar);
    if (it == buttons_.end() || position < 1 || position > static_cast<int>(it->second.size())) {
        return nullptr;
    }
    return it->second[static_cast<std::size_t>(position - 1)];
}

}  // namespace brondel::desktop
