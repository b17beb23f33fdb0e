#include "coordfiles/list_views.h"

#include "shell/main_window.h"
#include "shell/menu_state.h"

namespace brondel::coordfiles {

namespace {

void setVisible(documents::ListBox& list, bool visible) {
    if (list.visible != visible) {
        list.visible = visible;
        list.changed.emit();
    }
}

void showView(documents::DrawingWindow& window, bool dat) {
    shell::MainWindow& main = window.main();
    window.Vecad1.visible = !dat;
    window.Vecad2.visible = dat;
    window.view = dat ? documents::ListView::Dat : documents::ListView::Coordinate;
    shell::SetEditCommandsEnabled(main.menus, main.toolbars, !dat);
    window.Frame1.caption = dat ? kDatListCaption : kCoordinateListCaption;
    window.Frame1.changed.emit();
    setVisible(window.DList, dat);
    setVisible(window.CList, !dat);
}

}  // namespace

void showCoordinateView(documents::DrawingWindow& window) {
    showView(window, false);
}

void showDatView(documents::DrawingWindow& window) {
    showView(window, true);
}

void toggleListFrame(documents::DrawingWindow& window) {
    window.Frame1.visible = !window.Frame1.visible;
    window.main().menus.setChecked("mnuViewLists", window.Frame1.visible);
    window.Frame1.changed.emit();
}

void setRows(documents::ListBox& list, std::vector<std::string> rows) {
    list.rows = std::move(rows);
    list.changed.emit();
}

}  // namespace brondel::coordfiles
