#include "coordfiles/dat_commands.h"
#include "coordfiles/import_commands.h"
#include "coordfiles/list_views.h"
#include "shell/handler_registry.h"
#include "shell/main_window.h"

namespace brondel::shell {

namespace {

using documents::DrawingWindow;

// The commands that act on a drawing do nothing without an active one.
Handler onActive(void (*command)(DrawingWindow&)) {
    return [command](MainWindow& main) {
        if (DrawingWindow* window = main.active()) {
            command(*window);
        }
    };
}

}  // namespace

void registerCoordFileHandlers(MainWindow& main) {
    main.addHandler("mnuViewLists", onActive(coordfiles::toggleListFrame));
    // The view buttons switch New and Open themselves before they get here.
    main.addHandler("showCoordinateView", onActive(coordfiles::showCoordinateView));
    main.addHandler("showDatView", onActive(coordfiles::showDatView));
    main.addHandler("mnuSequentialFile", onActive(coordfiles::convertSequentialDrawing));
    main.addHandler("mnuConvert", onActive(coordfiles::convertCoordinateList));
    main.addHandler("mnuChangeRadius", coordfiles::changeSearchRadius);
    main.addHandler("mnuDatFile", [](MainWindow& m) {
        coordfiles::importPairFile(m, coordfiles::PairFileKind::Dat);
    });
    main.addHandler("mnuCorFile", [](MainWindow& m) {
        coordfiles::importPairFile(m, coordfiles::PairFileKind::Cor);
    });
}

}  // namespace brondel::shell
