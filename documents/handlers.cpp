#include "documents/file_commands.h"
#include "shell/handler_registry.h"
#include "shell/main_window.h"

namespace brondel::shell {

void registerDocumentHandlers(MainWindow& main) {
    main.addHandler("mnuFileNew", documents::fileNew);
    main.addHandler("mnuFileOpen", documents::fileOpen);
    main.addHandler("mnuSaveCurrent", documents::saveCurrent);
    main.addHandler("mnuSaveAs", documents::saveAs);
    main.addHandler("mnuClose", documents::closeActive);
    main.addHandler("mnuCloseAll", documents::closeAll);
    main.addHandler("mnuFilePrinterPrint", documents::print);
    main.addHandler("mnuFilePrinterPrev", documents::printPreview);
    main.addHandler("mnuFilePrinterSetup", documents::printerSetup);
}

}  // namespace brondel::shell
