#include "app/desktop/undo_hints_binding.h"

#include <QAction>
#include <QMenu>

#include "app/desktop/menu_binding.h"
#include "app/desktop/toolbar_binding.h"
#include "documents/undo_hints.h"
#include "shell/main_window.h"

namespace brondel::desktop {

namespace {

constexpr int kUndoButton = 21;
constexpr int kRedoButton = 22;

// The item's text: the hint when it names a step, else the plain verb.
QString namedStep(const QString& hint, const QString& verb) {
    return hint.startsWith(verb + QLatin1Char(' ')) ? hint : verb;
}

}  // namespace

void bindUndoHints(shell::MainWindow& main, MenuBinding& menus, ToolbarBinding& toolbars) {
    QAction* undoItem = menus.action("mnuEditUndo");
    QAction* redoItem = menus.action("mnuEditRedo");
    QAction* undoButton = toolbars.button("asxToolbar1", kUndoButton);
    QAction* redoButton = toolbars.button("asxToolbar1", kRedoButton);
    QAction* editMenu = menus.action("mnuEdit");
    if (!undoItem || !redoItem || !undoButton || !redoButton || !editMenu || !editMenu->menu()) {
        return;
    }
    const auto refresh = [&main, undoItem, redoItem, undoButton, redoButton] {
        const QString undo = QString::fromStdString(documents::undoHint(main.active()));
        const QString redo = QString::fromStdString(documents::redoHint(main.active()));
        // The items name their step ("Undo Draw Line"); with none they keep
        // their plain caption and say so in the tip.
        undoItem->setText(namedStep(undo, "Undo"));
        undoItem->setStatusTip(undo);
        undoItem->setToolTip(undo);
        redoItem->setText(namedStep(redo, "Redo"));
        redoItem->setStatusTip(redo);
        redoItem->setToolTip(redo);
        // The buttons keep their own tooltips; the status bar names the step.
        undoButton->setStatusTip(undo);
        redoButton->setStatusTip(redo);
    };
    editMenu->menu()->setToolTipsVisible(true);
    QObject::connect(editMenu->menu(), &QMenu::aboutToShow, editMenu, refresh);
    QObject::connect(undoButton, &QAction::hovered, undoButton, refresh);
    QObject::connect(redoButton, &QAction::hovered, redoButton, refresh);
}

}  // namespace brondel::desktop
