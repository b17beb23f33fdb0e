#include "windows/font_tools.h"

#include <memory>

#include "engine/text_style_editor.h"
#include "shell/main_window.h"
#include "windows/forms.h"

namespace brondel::windows {

void showFontsList(shell::MainWindow& main, const std::string& caption) {
    const documents::DrawingWindow* window = main.active();
    std::string rows;
    for (const std::string& font :
         engine::drawingFonts(window ? &window->Vecad1.drawing() : nullptr)) {
        rows += font;
        rows += '\n';
    }
    auto list = std::make_unique<shell::ModalWindow>();
    list->name = kFontsList;
    list->caption = caption;
    list->controls["lstFonts"] = {rows};
    list->controls["cmdOK"] = {"OK"};
    main.modal = std::move(list);
}

void fontConversionUnavailable(shell::MainWindow& main, const std::string& kind) {
    main.ports.dialogs.messageBox("Converting " + kind +
                                      " fonts is not available in this version: the engine draws "
                                      "text with its built-in font and the drawing's text styles.",
                                  ports::Buttons::Ok, ports::Icon::Exclamation,
                                  ports::kApplicationTitle);
}

}  // namespace brondel::windows
