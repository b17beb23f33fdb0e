#include "shell/handler_registry.h"
#include "shell/main_window.h"

namespace brondel::shell {

void registerWindowHandlers(MainWindow&) {}

}  // namespace brondel::shell
