#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "documents/dead_end.h"
#include "engine/vecad.h"
#include "shell/change_signal.h"

namespace brondel::shell {
class MainWindow;
}

// One open drawing (frmVcdEdit): the drawing control, the DAT preview
// control and the two lists in their frame.
namespace brondel::documents {

// Sizes in twips (15 per pixel), as a new window lays its controls out.
struct Layout {
    int left, top, width, height;
};

struct Frame {
    std::string caption = "Coordinate List";
    bool visible = false;
    Layout layout{90, 90, 2400, 7335};
    shell::ChangeSignal changed;
};

struct ListBox {
    std::vector<std::string> rows;
    bool visible = true;
    Layout layout{150, 270, 2100, 6855};
    shell::ChangeSignal changed;  // rows or visibility changed
};

enum class ListView { Coordinate, Dat };

// What a control of the window tells the skin; the engine's messages go on
// to the main window's notices. A running command's prompt shows in the
// command window and in the prompt panel, so it is seen with the window hidden.
class ControlEvents : public engine::VecadListener {
  public:
    explicit ControlEvents(shell::MainWindow& main);
    shell::ChangeSignal regeneratedSignal;
    shell::ChangeSignal redrawnSignal;
    shell::ChangeSignal viewChangedSignal;
    shell::ChangeSignal promptSignal;      // the running command asks for something else
    shell::ChangeSignal rubberBandSignal;  // the rubber band or the snap marker moved
    shell::ChangeSignal historySignal;     // a line was added to the command window
    shell::ChangeSignal propertiesSignal;  // Properties was asked for the selection

    void regenerated() override;
    void redrawn() override;
    void viewChanged() override { viewChangedSignal.emit(); }
    void notice(const std::string& text) override;
    void promptChanged(const std::string& prompt) override;
    void rubberBandChanged() override { rubberBandSignal.emit(); }
    void commandLineAdded(const std::string&) override { historySignal.emit(); }
    void propertiesRequested() override { propertiesSignal.emit(); }
    // Shows the Format dialog through the program's dialogs (format_dialogs.cpp).
    void formatRequested(engine::Vecad& control, int code) override;
    // Asks the program's open dialog (command_files.cpp).
    std::string fileRequested(const engine::FileChoice& choice) override;
    std::optional<std::string> nameRequested(const engine::NameChoice& choice) override;

  private:
    void followProgress();

    shell::MainWindow& main_;
    std::string shownPrompt_;
    // Long work regenerates or redraws at each of its steps; while it runs,
    // listeners hear of it once per move of the progress bar and at its end.
    bool regenerationDue_ = false, redrawDue_ = false;
    shell::ChangeSignal::Connection progress_;
};

class DrawingWindow {
  public:
    DrawingWindow(shell::MainWindow& main, int serial);
    DrawingWindow(const DrawingWindow&) = delete;
    DrawingWindow& operator=(const DrawingWindow&) = delete;

    shell::MainWindow& main() { return main_; }
    int serial() const { return serial_; }  // 1-based, in opening order

    engine::Vecad Vecad1;
    engine::Vecad Vecad2;
    Layout vecad1Layout{90, 90, 10965, 7455};
    Layout vecad2Layout{90, 90, 9135, 7455};
    Frame Frame1;
    ListBox CList;
    ListBox DList;
    ListView view = ListView::Coordinate;
    bool commandWindowVisible = false;
    shell::ChangeSignal commandWindowChanged;
    std::string caption;  // stays empty
    bool maximized = false;
    // The prompt panel's text while another window is active: each drawing
    // keeps its own prompt and step count.
    std::string promptPanel;
    ControlEvents vecad1Events;
    ControlEvents vecad2Events;
    // The last walk's dead end, marked until the next walk or check.
    std::optional<DeadEnd> deadEnd;
    shell::ChangeSignal deadEndChanged;

    // Event handlers.
    void activated();
    void keyPressed(int keyCode);
    // Returns false when the close is refused (the user chose Cancel, or the
    // save chosen with Yes failed or was cancelled).
    bool closeRequest();
    void resized();
    void destroyed();
    void cursorMoved(double x, double y, double z);
    // A press in Vecad1, in window pixels. The engine's running command
    // takes it if there is one; otherwise the armed pick tools serve it.
    void buttonPressed(double windowX, double windowY, bool rightButton = false);

    // A preview deferred until it is needed (see MainWindow::previewOnDemand).
    // Whatever reads Vecad2's content settles it first.
    void deferPreview(std::function<void()> draw) { pendingPreview_ = std::move(draw); }
    void settlePreview();

  private:
    shell::MainWindow& main_;
    int serial_;
    std::function<void()> pendingPreview_;
};

}  // namespace brondel::documents
