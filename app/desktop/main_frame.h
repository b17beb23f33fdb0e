#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "documents/recovery.h"
#include "shell/main_window.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace brondel::desktop {

class AidToggles;
class DrawingFrame;
class MenuBinding;
class ModalDialog;
class ProgressPanel;
class ToolbarBinding;

// The program's main window on screen: menu bar, toolbars, the MDI area with
// one child per drawing window, and the status bar, all following the
// headless main window.
class MainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainFrame(shell::MainWindow& main);
    ~MainFrame() override;

    shell::MainWindow& mainWindow() const { return main_; }
    QMdiArea* mdiArea() const { return mdi_; }
    MenuBinding& menuBinding() const { return *menus_; }
    ToolbarBinding& toolbarBinding() const { return *toolbars_; }
    // Null when the window has no child (yet).
    DrawingFrame* frameOf(const documents::DrawingWindow* window) const;
    QLabel* statusPanel(int panel) const { return panels_[panel - 1]; }
    ProgressPanel* progressPanel() const { return progress_; }
    AidToggles* aidToggles() const { return aids_; }
    // The program's modal window on screen; null when none is open.
    ModalDialog* modalDialog() const { return modal_; }
    // Writes changed drawings to their recovery files now and then.
    documents::Autosave& autosave() { return autosave_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs a command of the program and then follows what it left behind.
    void command(const std::function<void()>& f);
    void followWindows();
    void followTitles();
    void followStatus();
    void followPointer();
    void followArrange();
    void followEnd();
    void followModal();
    void childActivated(QMdiSubWindow* child);
    void closeChild(DrawingFrame* frame);
    void listen(shell::ChangeSignal& signal, std::function<void()> f);

    shell::MainWindow& main_;
    QMdiArea* mdi_ = nullptr;
    MenuBinding* menus_ = nullptr;
    ToolbarBinding* toolbars_ = nullptr;
    QLabel* panels_[3] = {};
    ProgressPanel* progress_ = nullptr;
    AidToggles* aids_ = nullptr;
    ModalDialog* modal_ = nullptr;
    documents::Autosave autosave_;
    std::vector<DrawingFrame*> frames_;
    std::vector<shell::ChangeSignal::Connection> connections_;
    bool following_ = false;
    bool busyCursor_ = false;
};

}  // namespace brondel::desktop
