#include "shell/menu_state.h"

#include <string>

#include "base/error.h"
#include "shell/routing_table.h"

namespace brondel::shell {

namespace {

constexpr std::string_view kDrawingItems[] = {
    "mnuFileSave",
    "mnuFilePrinterPrev",
    "mnuFilePrinterSetup",
    "mnuFilePrinterPrint",
    "mnuInsertImage",
    "mnuClose",
    "mnuCloseAll",
    "mnuSaveAs",
    "mnuEdit",
    "mnuView",
    "mnuFormat",
    "mnuDraw",
    "mnuDims",
    "mnuInsert",
    "mnuSelect",
    "mnuTools",
    "mnuWindow",
    "mnuConversionTools",
};
constexpr std::string_view kDrawingToolbars[] = {"asxToolbar3", "asxToolbar1", "asxToolbar2",
                                                 "asxToolbar4"};
constexpr std::string_view kDrawingChecks[] = {"mnuDrawingTools", "mnuInformationBar"};

constexpr std::string_view kEditMenus[] = {"mnuEdit",   "mnuFormat", "mnuDraw",  "mnuDims",
                                           "mnuInsert", "mnuSelect", "mnuTools", "mnuWindow"};
constexpr std::string_view kEditToolbars[] = {"asxToolbar3", "asxToolbar2", "asxToolbar4"};
constexpr std::string_view kEditChecks[] = {"mnuDrawingTools", "mnuInformationBar",
                                            "mnuSnapDimensions"};
constexpr std::string_view kCommandBar = "asxToolbar1";
// Copy, Cut, Paste, Undo, Redo, Regenerate, Open Command Window and the hidden button.
constexpr int kCommandBarEditButtons[] = {17, 18, 19, 21, 22, 24, 25, 26};

}  // namespace

void SetDrawingCommandsEnabled(MenuModel& menus, ToolbarModel& toolbars, bool on) {
    for (std::string_view item : kDrawingItems) {
        menus.setEnabled(item, on);
    }
    for (std::string_view bar : kDrawingToolbars) {
        toolbars.setVisible(bar, on);
    }
    for (std::string_view item : kDrawingChecks) {
        menus.setChecked(item, on);
    }
}

void SetEditCommandsEnabled(MenuModel& menus, ToolbarModel& toolbars, bool on) {
    for (std::string_view item : kEditMenus) {
        menus.setEnabled(item, on);
    }
    for (std::string_view bar : kEditToolbars) {
        toolbars.setVisible(bar, on);
    }
    for (std::string_view item : kEditChecks) {
        menus.setChecked(item, on);
    }
    for (int position : kCommandBarEditButtons) {
        toolbars.setButtonEnabled(kCommandBar, position, on);
    }
    toolbars.requestRedraw(kCommandBar);
}

void SetNewAndOpenEnabled(MenuModel& menus, bool on) {
    menus.setEnabled("mnuFileNew", on);
    menus.setEnabled("mnu1", on);
}

bool ToggleToolbar(MenuModel& menus, ToolbarModel& toolbars, std::string_view item) {
    const Action& action = actionOf(item);
    if (action.kind != ActionKind::ToggleToolbar) {
        throw Error(err::kBadArgument, std::string(item) + " does not toggle a toolbar");
    }
    const bool show = !toolbars.toolbar(action.target).visible();
    toolbars.setVisible(action.target, show);
    menus.setChecked(item, show);
    return show;
}

}  // namespace brondel::shell
