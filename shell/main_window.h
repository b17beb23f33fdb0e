#pragma once

#include <cstdint>
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
#include "shell/drafting_aids.h"
#include "shell/menu_model.h"
#include "shell/progress.h"
#include "shell/toolbar_model.h"

// The main window (mdfMain) as a headless model: menus, toolbars, status bar,
// the drawing windows and the state the program keeps while it runs.
namespace brondel::shell {

struct Action;

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

// The help settings of the file dialog: where its Help button leads.
struct FileDialogHelp {
    std::string file;
    std::string key;
    int command = 0;
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
    Progress progress;  // long work under way, shown beside the status panels
    MousePointer mousePointer = MousePointer::Default;
    AppState state;
    std::string profileName;
    double searchRadius = 0.01;
    // A front end without a screen: the DAT preview is drawn only when
    // something first looks at it.
    bool previewOnDemand = false;
    int openWindowCount = 0;
    bool closeCancelled = false;
    bool closed = false;          // the main window has gone: the program ends
    ChangeSignal windowsChanged;  // a window opened, closed or became active

    // The splash window and the main window's start.
    std::string splashCaption;
    std::string splashVersion;
    bool splashLoaded = false;
    void start();

    FileDialogHelp fileDialogHelp;

    // The area that toolbars and status bar leave for the drawing windows,
    // in twips. Maximized windows follow it.
    int innerWidthTwips = 11085;
    int innerHeightTwips = 7875;
    void setInnerSize(int widthTwips, int heightTwips);

    // The skin arranges the windows (cascade, tile, icons) when asked.
    int lastArrange = -1;
    ChangeSignal arrangeRequested;
    void arrange(int kind);

    // The window handle the engine gets for windows it creates on the main window.
    std::intptr_t handle() const { return reinterpret_cast<std::intptr_t>(this); }

    // The modal window now open, or none.
    std::unique_ptr<ModalWindow> modal;

    // Drawing windows in opening order; the active one gets every command.
    const std::vector<std::unique_ptr<documents::DrawingWindow>>& windows() const {
        return windows_;
    }
    documents::DrawingWindow* active() { return active_; }
    void activate(documents::DrawingWindow* window);
    // Shows a new window maximized and makes it the active one. The caller
    // raises openWindowCount, as every creator of a window does.
    documents::DrawingWindow& NewDrawingWindow();
    // Asks the window to close; destroys it when it agrees.
    bool closeWindow(documents::DrawingWindow& window);

    // Runs a command the user started. One runs at a time: a command asked
    // for while another runs (its long loops let the message loop run) is
    // refused and false returned.
    bool runCommand(const std::function<void()>& command);
    bool commandRunning() const { return commandRunning_; }

    // A press in a drawing that its own tool did not take, in pixels and in
    // drawing units. The tools that wait for a press register here, so the
    // drawing windows need not know them.
    using DrawingPress =
        std::function<void(MainWindow&, engine::Vecad&, engine::Point2, engine::Point3)>;
    DrawingPress drawingPressed;

    // Shutdown. closeAsked is the user closing the main window: during a
    // command the close waits for its end, as closing now would take the
    // drawing windows from under it.
    void closeAsked();
    void closeRequest();
    void mnuFileEnd();
    void CloseAllAndQuit();

    // Commands: a click on a menu item or a toolbar button runs its action.
    void click(const std::string& itemName);
    void pressToolbar(const std::string& toolbar, int position);
    // Snap, Grid and Ortho of the active drawing (off without one), switched
    // from the menu, the toolbar, the status bar or their keys.
    bool aidOn(DraftingAid aid);
    void toggleAid(DraftingAid aid);
    ChangeSignal aidsChanged;
    void addHandler(const std::string& name, Handler handler);
    bool hasHandler(const std::string& name) const { return handlers_.count(name) != 0; }
    // Runs the handler registered under name; false when there is none.
    bool runHandler(const std::string& name);

    void showBusy() { setPointer(MousePointer::Busy); }
    void showDefault() { setPointer(MousePointer::Default); }
    void setPointer(MousePointer pointer);
    ChangeSignal pointerChanged;

    // Messages the user should see: kept here and shown in the prompt panel.
    std::vector<std::string> notices;
    ChangeSignal noticesChanged;
    void notice(const std::string& text);

  private:
    void loadMainWindow();
    void writeLastProfile();
    void runAction(const Action& action, const std::string& itemName, const std::string& caption);
    void runEngineAction(const Action& action);
    void followAids();

    std::vector<std::unique_ptr<documents::DrawingWindow>> windows_;
    documents::DrawingWindow* active_ = nullptr;
    std::vector<documents::DrawingWindow*> activationOrder_;  // most recent last
    bool closing_ = false;
    bool commandRunning_ = false;
    bool closeWaiting_ = false;
    int nextSerial_ = 1;
    std::map<std::string, Handler> handlers_;
};

}  // namespace brondel::shell
