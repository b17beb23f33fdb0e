#include "shell/handler_registry.h"
#include "shell/main_window.h"

namespace brondel::shell {

void registerCoordFileHandlers(MainWindow&) {}

}  // namespace brondel::shell
