#include "shell/handler_registry.h"
#include "shell/main_window.h"

namespace brondel::shell {

void registerPickToolHandlers(MainWindow&) {}

}  // namespace brondel::shell
