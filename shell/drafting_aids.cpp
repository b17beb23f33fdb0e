// Snap, Grid and Ortho: one switch each per drawing, whichever of the menu,
// the toolbar, the status bar or the keys flips it.

#include "shell/drafting_aids.h"

#include "shell/main_window.h"

namespace brondel::shell {

std::optional<DraftingAid> aidOfKey(int keyCode) {
    for (const DraftingAidRow& row : kDraftingAids) {
        if (row.keyCode == keyCode) {
            return row.aid;
        }
    }
    return std::nullopt;
}

bool MainWindow::aidOn(DraftingAid aid) {
    if (active_ == nullptr) {
        return false;
    }
    const engine::Vecad& drawing = active_->Vecad1;
    switch (aid) {
        case DraftingAid::Snap:
            return drawing.SnapGetOn();
        case DraftingAid::Grid:
            return drawing.GridGetShow();
        case DraftingAid::Ortho:
            return drawing.PolarGetOn();
    }
    return false;
}

void MainWindow::toggleAid(DraftingAid aid) {
    if (active_ == nullptr) {
        return;
    }
    engine::Vecad& drawing = active_->Vecad1;
    switch (aid) {
        case DraftingAid::Snap:
            drawing.SnapPutOn(!drawing.SnapGetOn());
            break;
        case DraftingAid::Grid:
            drawing.GridPutShow(!drawing.GridGetShow());
            drawing.WndRedraw();
            break;
        case DraftingAid::Ortho:
            // Ortho is the polar constraint at right angles only.
            drawing.PolarPutInc(0);
            drawing.PolarPutOn(!drawing.PolarGetOn());
            break;
    }
    followAids();
}

// The Ortho menu item shows the active drawing's switch.
void MainWindow::followAids() {
    menus.setChecked("mnuOrtho", aidOn(DraftingAid::Ortho));
    aidsChanged.emit();
}

}  // namespace brondel::shell
