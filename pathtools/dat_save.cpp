#include "pathtools/dat_save.h"

#include <string>

#include "base/error.h"
#include "base/error_messages.h"
#include "coordfiles/dat_writer.h"
#include "documents/drawing_window.h"
#include "documents/report_line.h"
#include "pathtools/dat_verify.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

namespace {

ports::FileDialogSetup datSaveDialog() {
    ports::FileDialogSetup setup;
    setup.title = "Save DAT File";
    setup.filter = "DAT File (*.DAT)|*.dat";
    setup.filterIndex = 0;
    setup.defaultExt = "dat";
    setup.flags = ports::file_flags::kOverwritePrompt;
    return setup;
}

}  // namespace

void saveDatFile(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    const std::string path = main.ports.dialogs.saveFile(datSaveDialog());
    if (path.empty()) {
        return;
    }
    try {
        coordfiles::writeDatFile(path, window.DList.rows);
    } catch (const Error& e) {
        main.ports.dialogs.messageBox(base::errorNumberMessage(e), ports::Buttons::Ok,
                                      ports::Icon::None, ports::kApplicationTitle);
        return;
    }
    documents::reportLine(window, savedDatCheckText(window.Vecad1, window.DList.rows));
}

}  // namespace brondel::pathtools
