#include "documents/drawing_window.h"

#include <utility>

#include "base/error.h"
#include "base/error_messages.h"
#include "base/numbers.h"
#include "documents/file_commands.h"
#include "documents/file_progress.h"
#include "documents/recovery.h"
#include "engine/commands.h"
#include "shell/main_window.h"
#include "shell/menu_state.h"

namespace brondel::documents {

namespace {

constexpr int kKeypadPlus = 107;
constexpr int kKeypadMinus = 109;
constexpr int kTwipsPerPixel = 15;
// A child window's frame: border on every side, caption bar on top.
constexpr int kBorderTwips = 60;
constexpr int kCaptionTwips = 300;
constexpr const char* kChangedText = "This drawing has changed. Do you want to save ";
constexpr const char* kSavePromptTitle = "Brondel";

}  // namespace

ControlEvents::ControlEvents(shell::MainWindow& main)
    : main_(main), progress_(main.progress.changed.scoped([this] { followProgress(); })) {}

void ControlEvents::regenerated() {
    if (main_.progress.active()) {
        regenerationDue_ = true;
    } else {
        regeneratedSignal.emit();
    }
}

void ControlEvents::redrawn() {
    if (main_.progress.active()) {
        redrawDue_ = true;
    } else {
        redrawnSignal.emit();
    }
}

void ControlEvents::followProgress() {
    if (std::exchange(regenerationDue_, false)) {
        regeneratedSignal.emit();
    }
    if (std::exchange(redrawDue_, false)) {
        redrawnSignal.emit();
    }
}

void ControlEvents::notice(const std::string& text) {
    main_.notice(text);
}

// An ended command takes its prompt away, unless something else was
// written into the panel meanwhile.
void ControlEvents::promptChanged(const std::string& prompt) {
    // An armed pick tool keeps its own prompt in the panel.
    const shell::PickModes& armed = main_.state.pickModes;
    if (armed.startPoint || armed.explodeLine || armed.explodeArc || armed.polarArray ||
        armed.verticalArray || armed.horizontalArray) {
        shownPrompt_ = prompt;
        promptSignal.emit();
        return;
    }
    if (!prompt.empty()) {
        main_.statusMain.set(3, prompt);
    } else if (main_.statusMain.panels[2] == shownPrompt_) {
        main_.statusMain.set(3, "");
    }
    shownPrompt_ = prompt;
    promptSignal.emit();
}

DrawingWindow::DrawingWindow(shell::MainWindow& main, int serial)
    : vecad1Events(main), vecad2Events(main), main_(main), serial_(serial) {
    Vecad2.visible = false;
    Vecad2.drawing().keepHistory(false);  // the DAT preview is rebuilt, never edited
    DList.visible = false;
    Vecad1.setListener(&vecad1Events);
    Vecad2.setListener(&vecad2Events);
    Vecad1.askSaveName = [this, &main] { return askDrawingName(main, Vecad1); };
}

void DrawingWindow::settlePreview() {
    if (pendingPreview_) {
        std::exchange(pendingPreview_, nullptr)();
    }
}

void DrawingWindow::activated() {
    resized();
    Vecad1.ActivateView(true);
}

void DrawingWindow::keyPressed(int keyCode) {
    // The aids switch even while a command runs, as the user draws with them.
    if (const auto aid = shell::aidOfKey(keyCode)) {
        main_.toggleAid(*aid);
        return;
    }
    if (Vecad1.commandKey(keyCode)) {
        return;
    }
    if (keyCode == kKeypadPlus) {
        Vecad1.Execute(engine::command::kZoomIn);
    } else if (keyCode == kKeypadMinus) {
        Vecad1.Execute(engine::command::kZoomOut);
    }
}

// A save chosen with Yes that fails or is cancelled keeps the window open
// with its changes and stops a running Close All or Exit, as Cancel does.
bool DrawingWindow::closeRequest() {
    main_.closeCancelled = false;
    if (Vecad1.HasChanged()) {
        const std::string name = Vecad1.GetFileName();
        const std::string text = name.empty() ? kChangedText : kChangedText + ('\r' + name);
        const ports::Answer answer = main_.ports.dialogs.messageBox(
            text, ports::Buttons::YesNoCancel, ports::Icon::Question, kSavePromptTitle);
        if (answer == ports::Answer::Cancel) {
            main_.closeCancelled = true;
            return false;
        }
        if (answer == ports::Answer::Yes) {
            try {
                FileProgress progress(main_, Vecad1, kSavingDrawingTask);
                if (name.empty()) {
                    Vecad1.FileSaveAs("");
                } else {
                    Vecad1.FileSave();
                }
            } catch (const Error& e) {
                if (e.number() != err::kCancelled) {
                    main_.ports.dialogs.messageBox(base::errorNumberMessage(e), ports::Buttons::Ok,
                                                   ports::Icon::None, ports::kApplicationTitle);
                }
                main_.closeCancelled = true;
                return false;
            }
        }
    }
    shell::SetNewAndOpenEnabled(main_.menus, true);
    return true;
}

// Both controls take the client size a window would have if it filled the
// main window's inner area; the window's own size plays no part.
void DrawingWindow::resized() {
    const int width = main_.innerWidthTwips - 2 * kBorderTwips;
    const int height = main_.innerHeightTwips - kCaptionTwips - 2 * kBorderTwips;
    if (width <= 0 || height <= 0) {
        return;
    }
    for (Layout* layout : {&vecad1Layout, &vecad2Layout}) {
        layout->width = width;
        layout->height = height;
    }
    Vecad1.view().resize(width / kTwipsPerPixel, height / kTwipsPerPixel);
    Vecad2.view().resize(width / kTwipsPerPixel, height / kTwipsPerPixel);
}

void DrawingWindow::destroyed() {
    dropRecovery(*this);
    --main_.openWindowCount;
    if (main_.openWindowCount <= 0) {
        main_.openWindowCount = 0;
        shell::SetDrawingCommandsEnabled(main_.menus, main_.toolbars, false);
    }
}

void DrawingWindow::cursorMoved(double x, double y, double) {
    main_.statusMain.set(1, base::cursorPositionText(x, y));
}

void DrawingWindow::buttonPressed(double windowX, double windowY, bool rightButton) {
    if (Vecad1.pressAt(windowX, windowY, rightButton)) {
        return;
    }
    const engine::Point2 at = Vecad1.view().toWorld(windowX, windowY);
    if (main_.drawingPressed) {
        main_.drawingPressed(main_, Vecad1, {windowX, windowY}, {at.x, at.y, 0});
    }
}

}  // namespace brondel::documents
