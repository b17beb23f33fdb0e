#include "pathtools/check_command.h"
#include "pathtools/close_gaps.h"
#include "pathtools/dat_save.h"
#include "pathtools/kerf_command.h"
#include "pathtools/link_command.h"
#include "pathtools/prep_drawing.h"
#include "pathtools/reorganize.h"
#include "shell/handler_registry.h"
#include "shell/main_window.h"

namespace brondel::shell {

namespace {

using documents::DrawingWindow;

// The commands act on the active drawing window and do nothing without one.
template <typename Command>
Handler onActive(Command command) {
    return [command](MainWindow& main) {
        if (DrawingWindow* window = main.active()) {
            command(*window);
        }
    };
}

}  // namespace

void registerPathHandlers(MainWindow& main) {
    main.addHandler("mnuPrepDrawing", onActive(pathtools::prepDrawing));
    main.addHandler("mnuPurgeDeleted", onActive(pathtools::purgeDeleted));
    main.addHandler("mnuReorganzie",
                    onActive([](DrawingWindow& window) { pathtools::reorganizeEntities(window); }));
    main.addHandler("mnuCheckDrawing", onActive(pathtools::checkDrawingCommand));
    main.addHandler("mnuCloseGaps", onActive(pathtools::closeGapsCommand));
    main.addHandler("mnuLinkContours", onActive(pathtools::linkContoursCommand));
    main.addHandler("mnuKerfOffset", onActive(pathtools::kerfOffsetCommand));
    main.addHandler("mnuSaveDAT", onActive(pathtools::saveDatFile));
}

}  // namespace brondel::shell
