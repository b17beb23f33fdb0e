#pragma once

#include <QElapsedTimer>
#include <string>

#include "ports/dialogs.h"
#include "ports/pump.h"

// The desktop's implementations of the program's ports.
namespace brondel::desktop {

// Real Qt dialogs, shown over the window that has the focus.
class QtDialogs : public ports::Dialogs {
  public:
    ports::Answer messageBox(const std::string& text, ports::Buttons buttons, ports::Icon icon,
                             const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string openFile(const ports::FileDialogSetup& setup) override;
    std::optional<std::string> chooseName(const std::string& title,
                                          const std::vector<std::string>& names) override;
    std::string saveFile(const ports::FileDialogSetup& setup) override;
    ports::SaveAnswer saveFileWithType(const ports::FileDialogSetup& setup) override;
    void formatLayers(engine::LayerEditor& editor) override;
    void manageImages(engine::ImageEditor& editor) override;
    void formatDimensionStyle(engine::DimStyleEditor& editor) override;
    void formatCurrentProperties(engine::CurrentPropertiesEditor& editor) override;
    void viewPresets(engine::ViewPresetsEditor& editor) override;
};

// Lets pending events through at most every kIntervalMs, so long loops stay
// fast and the window still repaints. A pass that took long (the repaint of
// a million changed lines) is followed by a wait kWorkShare times as long, so
// the work keeps most of the time. Clicks and keys wait for the command's
// end: run now, they would start a command inside the running one.
class QtPump : public ports::Pump {
  public:
    static constexpr int kIntervalMs = 15;
    static constexpr int kWorkShare = 4;
    QtPump();
    void runOnce() override;

  private:
    QElapsedTimer sinceLast_;
    qint64 wait_ = kIntervalMs;
};

}  // namespace brondel::desktop
