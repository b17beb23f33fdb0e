#include "documents/file_commands.h"

#include "base/error.h"
#include "base/error_messages.h"
#include "documents/drawing_window.h"
#include "documents/file_progress.h"
#include "engine/commands.h"
#include "engine/vecad.h"
#include "shell/main_window.h"
#include "shell/menu_state.h"

namespace brondel::documents {

namespace {

constexpr const char* kWriteFailedText = "An error has occurred while trying to write the file.";

void showError(shell::MainWindow& main, const std::string& text, ports::Icon icon) {
    main.ports.dialogs.messageBox(text, ports::Buttons::Ok, icon, ports::kApplicationTitle);
}

void showFileName(shell::MainWindow& main, const engine::Vecad& drawing) {
    main.statusMain.set(2, drawing.GetFileName());
}

// New and Open: the drawing commands come on before the window is made.
DrawingWindow& openNewWindow(shell::MainWindow& main) {
    shell::SetDrawingCommandsEnabled(main.menus, main.toolbars, true);
    shell::SetEditCommandsEnabled(main.menus, main.toolbars, true);
    DrawingWindow& window = main.NewDrawingWindow();
    ++main.openWindowCount;
    return window;
}

// Print and preview go to whichever control the window shows, drawing first.
template <typename Output>
void printShown(shell::MainWindow& main, Output output) {
    DrawingWindow* window = main.active();
    if (window == nullptr) {
        return;
    }
    try {
        if (window->Vecad1.visible) {
            output(window->Vecad1);
        }
        if (window->Vecad2.visible) {
            window->settlePreview();
            output(window->Vecad2);
        }
    } catch (const Error& e) {
        showError(main, base::errorNumberMessage(e), ports::Icon::None);
    }
}

}  // namespace

ports::FileDialogSetup openDrawingSetup() {
    ports::FileDialogSetup setup;
    setup.title = "Open a Drawing";
    setup.filter =
        "AutoCAD Drawing eXchange Format (*.dxf)|*.dxf|AutoCAD drawing (*.dwg)|*.dwg|"
        "VeCAD drawing (*.vec)|*.vec|All (*.*)|*.*";
    setup.filterIndex = 1;
    setup.flags = ports::file_flags::kCreatePrompt;
    return setup;
}

ports::FileDialogSetup saveDrawingSetup(engine::io::DxfVersion current) {
    ports::FileDialogSetup setup;
    setup.title = "Save Drawing";
    setup.filter =
        "DXF File (*.dxf)|*.dxf|DWG File (*.dwg)|*.dwg|VEC File (*.vec)|*.vec|"
        "DXF R12 File (*.dxf)|*.dxf";
    setup.filterIndex = current == engine::io::DxfVersion::R12 ? kDxfR12Type : kDxf2000Type;
    setup.flags = ports::file_flags::kOverwritePrompt;
    return setup;
}

std::string askDrawingName(shell::MainWindow& main, engine::Vecad& drawing) {
    const ports::SaveAnswer answer =
        main.ports.dialogs.saveFileWithType(saveDrawingSetup(drawing.GetDxfVersion()));
    if (answer.path.empty()) {
        return "";
    }
    if (answer.filterIndex == kDxf2000Type) {
        drawing.PutDxfVersion(engine::io::DxfVersion::R2000);
    } else if (answer.filterIndex == kDxfR12Type) {
        drawing.PutDxfVersion(engine::io::DxfVersion::R12);
    }
    return answer.path;
}

void fileNew(shell::MainWindow& main) {
    DrawingWindow& window = openNewWindow(main);
    window.Vecad1.FileNew();
    window.Vecad1.PutFileName(kNewDrawingName);
    showFileName(main, window.Vecad1);
}

// Steps done before a failure stay done: a window whose file did not load
// stays open, empty.
void fileOpen(shell::MainWindow& main) {
    const std::string path = main.ports.dialogs.openFile(openDrawingSetup());
    if (path.empty()) {
        return;
    }
    try {
        DrawingWindow& window = openNewWindow(main);
        main.showBusy();
        {
            FileProgress progress(main, window.Vecad1, kOpeningDrawingTask);
            window.Vecad1.FileOpen(path);
        }
        window.Vecad1.PutFileName(path);
        window.Vecad1.Execute(engine::command::kZoomExtents);
        main.showDefault();
        showFileName(main, window.Vecad1);
    } catch (const Error& e) {
        main.showDefault();
        if (e.number() != err::kCancelled) {
            showError(main, base::openErrorMessage(e), ports::Icon::None);
        }
    }
}

void saveCurrent(shell::MainWindow& main) {
    DrawingWindow* window = main.active();
    if (window == nullptr) {
        return;
    }
    try {
        main.showBusy();
        {
            FileProgress progress(main, window->Vecad1, kSavingDrawingTask);
            window->Vecad1.FileSave();
        }
        main.showDefault();
        showFileName(main, window->Vecad1);
    } catch (const Error& e) {
        main.showDefault();
        if (e.number() != err::kCancelled) {
            showError(main, base::errorNumberMessage(e), ports::Icon::None);
        }
    }
}

void saveAs(shell::MainWindow& main) {
    DrawingWindow* window = main.active();
    if (window == nullptr) {
        return;
    }
    const std::string path = askDrawingName(main, window->Vecad1);
    if (path.empty()) {
        return;
    }
    try {
        main.showBusy();
        {
            FileProgress progress(main, window->Vecad1, kSavingDrawingTask);
            window->Vecad1.FileSaveAs(path);
        }
        main.showDefault();
        showFileName(main, window->Vecad1);
    } catch (const Error& e) {
        main.showDefault();
        if (e.number() != err::kCancelled) {
            showError(main, kWriteFailedText, ports::Icon::Information);
        }
    }
}

void closeActive(shell::MainWindow& main) {
    if (DrawingWindow* window = main.active()) {
        main.closeWindow(*window);
    }
}

// Stops at the first window that stays open: its Cancel (or a save that did
// not happen) cancels the whole Close All.
void closeAll(shell::MainWindow& main) {
    const int count = main.openWindowCount;
    for (int i = 0; i < count && main.active() != nullptr; ++i) {
        if (!main.closeWindow(*main.active())) {
            return;
        }
    }
}

void print(shell::MainWindow& main) {
    printShown(main, [&](const engine::Vecad& control) { main.ports.printer.print(control); });
}

void printPreview(shell::MainWindow& main) {
    printShown(main, [&](const engine::Vecad& control) { main.ports.printer.preview(control); });
}

void printerSetup(shell::MainWindow& main) {
    if (main.active() == nullptr) {
        return;
    }
    try {
        main.ports.printer.setup();
    } catch (const Error& e) {
        showError(main, base::errorNumberMessage(e), ports::Icon::None);
    }
}

}  // namespace brondel::documents
