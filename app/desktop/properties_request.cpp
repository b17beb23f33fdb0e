#include "app/desktop/properties_request.h"

#include "app/desktop/properties_dialog.h"
#include "engine/vecad.h"
#include "shell/main_window.h"

namespace brondel::desktop {

void showPropertiesOfSelection(engine::Vecad& vecad, shell::MainWindow& main, QWidget* parent) {
    if (vecad.SelCount() == 0) {
        main.ports.dialogs.messageBox("Nothing selected", ports::Buttons::Ok,
                                      ports::Icon::Information, "");
        return;
    }
    PropertiesDialog dialog(vecad, vecad.GetEntityByPtr(vecad.SelGetFirstPtr()), parent);
    dialog.exec();
}

}  // namespace brondel::desktop
