#include "shell/handler_registry.h"
#include "shell/main_window.h"

namespace brondel::shell {

void registerDocumentHandlers(MainWindow&) {}

}  // namespace brondel::shell
