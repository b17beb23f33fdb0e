#pragma once

#include <QString>
#include "app/desktop/preset_dialogs.h"

namespace brondel::desktop {

class MainFrame;

// Walks the main road on a bundled drawing and saves a picture of each stop
// in folder: the start, a drawing with its coordinate list, the start marker
// with the direction dialog, the reorganized drawing, the DAT view, the
// About box and the hot-keys window. Returns false when a picture could
// not be taken or saved.
bool runScreenshotTour(MainFrame& frame, PresetDialogs& dialogs, const QString& sourceFolder,
                       const QString& folder);

}  // namespace brondel::desktop
