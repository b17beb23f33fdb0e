#include "documents/report_line.h"

#include "shell/main_window.h"

namespace brondel::documents {

void reportLine(DrawingWindow& window, const std::string& text) {
    window.main().notice(text);
    window.Vecad1.commandMessage(text);
}

}  // namespace brondel::documents
