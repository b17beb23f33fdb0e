// What a click on a menu item or a press on a toolbar button does: the
// routing table names the action, this carries it out on the active window.

#include <string>

#include "base/error.h"
#include "engine/cad.h"
#include "shell/main_window.h"
#include "shell/menu_state.h"
#include "shell/routing_table.h"

namespace brondel::shell {

namespace {

constexpr const char* kNotWorkingText = "Not working in this version... sorry.";
constexpr int kNavigatorExists = 4;

std::string withoutMnemonic(const std::string& caption) {
    std::string plain;
    for (char c : caption) {
        if (c != '&') {
            plain += c;
        }
    }
    return plain;
}

void toggleMagnifier(engine::Vecad& drawing) {
    engine::CadMagPutShow(engine::CadMagGetShow() == 0);
    drawing.Update();
    drawing.WndRedraw();
    drawing.WndSetFocus();
}

}  // namespace

void MainWindow::click(const std::string& itemName) {
    const Action* action = findActionOf(itemName);
    if (action == nullptr) {
        throw Error(err::kBadArgument, "No menu item is named " + itemName);
    }
    runAction(*action, itemName, withoutMnemonic(menus.item(itemName).caption()));
}

void MainWindow::pressToolbar(const std::string& toolbar, int position) {
    const Action& action = actionOfButton(toolbar, position);
    runAction(action, {}, toolbars.button(toolbar, position).tooltip());
}

// itemName is empty for a toolbar button; caption names the command in notices.
void MainWindow::runAction(const Action& action, const std::string& itemName,
                           const std::string& caption) {
    switch (action.kind) {
        case ActionKind::None:
        case ActionKind::Submenu:
            return;
        case ActionKind::AsItem:
            click(std::string(action.target));
            return;
        case ActionKind::ProgramCommand:
            if (!runHandler(std::string(action.target))) {
                notice("not available yet: " + caption);
            }
            return;
        case ActionKind::ToggleToolbar:
            ToggleToolbar(menus, toolbars, itemName);
            return;
        case ActionKind::NotWorking:
            ports.dialogs.messageBox(kNotWorkingText, ports::Buttons::Ok, ports::Icon::Exclamation,
                                     ports::kApplicationTitle);
            return;
        case ActionKind::ArrangeWindows:
            arrange(action.code);
            return;
        case ActionKind::ShowCoordinateView:
        case ActionKind::ShowDatView: {
            const bool coordinates = action.kind == ActionKind::ShowCoordinateView;
            SetNewAndOpenEnabled(menus, coordinates);
            const std::string view = coordinates ? "showCoordinateView" : "showDatView";
            if (!runHandler(view)) {
                notice("not available yet: " + caption);
            }
            return;
        }
        case ActionKind::Engine:
        case ActionKind::Ortho:
        case ActionKind::Magnifier:
        case ActionKind::Navigator:
        case ActionKind::Snap:
            // These act on the active drawing; without one there is nothing to act on.
            if (active_ != nullptr) {
                runEngineAction(action);
                // The snap switch among them shows on the status bar.
                followAids();
            }
            return;
    }
}

void MainWindow::runEngineAction(const Action& action) {
    engine::Vecad& drawing = active_->Vecad1;
    active_->settlePreview();
    engine::Vecad& preview = active_->Vecad2;
    try {
        switch (action.kind) {
            case ActionKind::Engine:
                switch (action.rule) {
                    case EngineRule::A:
                        drawing.Execute(action.code);
                        break;
                    case EngineRule::B:
                        if (drawing.visible) {
                            drawing.Execute(action.code);
                        }
                        if (preview.visible) {
                            preview.Execute(action.code);
                        }
                        break;
                    case EngineRule::C:
                        if (drawing.visible) {
                            drawing.Execute(action.code);
                        }
                        break;
                    case EngineRule::D:
                        try {
                            drawing.Execute(action.code);
                        } catch (const Error&) {
                        }
                        break;
                }
                break;
            case ActionKind::Ortho:
                toggleAid(DraftingAid::Ortho);
                break;
            case ActionKind::Magnifier:
                toggleMagnifier(drawing);
                break;
            case ActionKind::Navigator:
                if (!drawing.NavGetParam(kNavigatorExists)) {
                    drawing.NavCreate(handle(), 0, 0, 144, 144, 1024);
                }
                break;
            case ActionKind::Snap:
                drawing.SnapPutMode(action.code);
                break;
            default:
                break;
        }
    } catch (const Error& e) {
        notice(e.description());
    }
}

}  // namespace brondel::shell
