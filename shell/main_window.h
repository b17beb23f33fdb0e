#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "documents/drawing_window.h"
#include "ports/dialogs.h"
#include "ports/launcher.h"
#include "ports/printer.h"
#include "ports/pump.h"
#include "ports/registry.h"
#include "shell/app_state.h"
#include "shell/change_signal.h"
#include "shell/menu_model.h"
#include "shell/toolbar_model.h"

// The main window (mdfMain) as a headless model: menus, toolbars, status bar,
// the drawing windows and the state the program keeps while it runs.
namespace brondel::shell {

struct Ports {
    ports::Dialogs& dialogs;
    ports::Pump& pump;
    ports::Registry& registry;
    ports::Launcher& launcher;
    ports::Printer& printer;
};

enum class MousePointer { Default, Busy };

struct StatusBar {
    std::string panels[3];  // cursor position, file name, prompt
    ChangeSignal changed;
    void set(int panel, std::string text);  // 1-based, as the program names them
};

// A modal window of the program (the hot-keys window, the About box).
struct ModalWindow {
    std::string name;
    std::string caption;
    struct Control {
        std::string text;
        bool visible = true;
    };
    std::map<std::string, Control> controls;
};

// A program command reached from a menu item or toolbar button.
using Handler = std::function<void(class MainWindow&)>;

class MainWindow {
public:
    static constexpr const char* kCaption = "Brondel 3.0 ";

    MainWindow(Ports ports, std::string appFolder);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Ports ports;
    const std::string appFolder;

    MenuModel menus;
    ToolbarModel toolbars;
    StatusBar statusMain;
    MousePointer mousePointer = MousePointer::Default;
    AppState state;
    std::string profileName;
    double searchRadius = 0.01;
    int openWindowCount = 0;
    bool closeCancelled = false;
    bool closed = false;        // the main window has gone: the program ends
    ChangeSignal windowsChanged;  // a window opened, closed or became active

    // The splash window and the main window's start.
    std::string splashCaption;
    std::string splashVersion;
    bool splashLoaded = false;
    void start();

    // The modal window now open, or none.
    std::unique_ptr<ModalWindow> modal;

    // Drawing windows in opening order; the active one gets every command.
    const std::vector<std::unique_ptr<documents::DrawingWindow>>& windows() const {
        return windows_;
    }
    documents::DrawingWindow* active() { return active_; }
    void activate(documents::DrawingWindow* window);
    documents::DrawingWindow& NewDrawingWindow();
    // Asks the window to close; destroys it when it agrees.
    bool closeWindow(documents::DrawingWindow& window);

    // Shutdown.
    void closeRequest();
    void CloseAllAndQuit();

    // Commands: a click on a menu item or a toolbar button runs its action.
    void click(const std::string& itemName);
    void pressToolbar(const std::string& toolbar, int position);
    void addHandler(const std::string& name, Handler handler);

    void showBusy() { setPointer(MousePointer::Busy); }
    void showDefault() { setPointer(MousePointer::Default); }
    void setPointer(MousePointer pointer);
    ChangeSignal pointerChanged;

    // Engine messages the user should see (the command window's lines).
    std::vector<std::string> notices;
    ChangeSignal noticesChanged;
    void notice(const std::string& text);

private:
    std::vector<std::unique_ptr<documents::DrawingWindow>> windows_;
    documents::DrawingWindow* active_ = nullptr;
    int nextSerial_ = 1;
    std::map<std::string, Handler> handlers_;
};

}  // namespace brondel::shell
