// Files the engine's commands ask for (a picture, a referenced drawing) come
// through the program's open dialog, so scripted sessions answer them too;
// names they offer (a block to insert) through its list, where it has one.

#include "documents/drawing_window.h"
#include "shell/main_window.h"

namespace brondel::documents {

std::string ControlEvents::fileRequested(const engine::FileChoice& choice) {
    ports::FileDialogSetup setup;
    setup.title = choice.title;
    setup.filter = choice.filter;
    setup.flags = ports::file_flags::kFileMustExist;
    return main_.ports.dialogs.openFile(setup);
}

std::optional<std::string> ControlEvents::nameRequested(const engine::NameChoice& choice) {
    return main_.ports.dialogs.chooseName(choice.title, choice.names);
}

}  // namespace brondel::documents
