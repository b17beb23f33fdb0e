#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <cmath>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/progress_panel.h"
#include "coordfiles/import_commands.h"
#include "tests/gui/frame_fixture.h"

namespace brondel::desktop {
namespace {

// The DAT import: its file, a size, and No to saving on the way out.
class ImportDialogs : public ports::Dialogs {
  public:
    std::string datFile;
    int boxes = 0;
    ports::Answer messageBox(const std::string&, ports::Buttons, ports::Icon,
                             const std::string&) override {
        ++boxes;
        return ports::Answer::No;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return "10";
    }
    std::string openFile(const ports::FileDialogSetup&) override { return datFile; }
    std::string saveFile(const ports::FileDialogSetup&) override { return ""; }
};

// Lets the test look at the window, and act in it, while a command runs.
class WatchingPump : public ports::Pump {
  public:
    std::function<void()> onRun;
    void runOnce() override {
        if (onRun) {
            onRun();
        }
    }
};

// What the progress panel showed at one moment of a command.
struct Seen {
    bool visible;
    std::string label;
    int value, maximum;
};

class ProgressPanelTest : public testing::OnScreenFixture<ImportDialogs, WatchingPump> {
  protected:
    static constexpr int kSteps = 3000;

    ProgressPanelTest() : OnScreenFixture("brondel-gui-progress-test") {
        dialogs_.datFile = (folder_ / "circle.dat").string();
        std::ofstream out(dialogs_.datFile, std::ios::binary);
        for (int i = 0; i < kSteps; ++i) {
            const double a = 6.283185307179586 * i / kSteps;
            out << 0.5 + 0.5 * std::cos(a) << ' ' << 0.5 * std::sin(a) << "\r\n";
        }
    }
};

TEST_F(ProgressPanelTest, BarShowsTheWorkWhileACommandRunsAndGoesAtItsEnd) {
    ProgressPanel* panel = frame_->progressPanel();
    EXPECT_FALSE(panel->isVisible());
    std::vector<Seen> seen;
    pump_.onRun = [&] {
        seen.push_back({panel->isVisible(), panel->label()->text().toStdString(),
                        panel->bar()->value(), panel->bar()->maximum()});
    };
    trigger("mnuDatFile");
    pump_.onRun = nullptr;

    ASSERT_EQ(main_->windows().size(), 1u);
    std::erase_if(seen, [](const Seen& s) { return !s.visible; });  // a pump between stages
    ASSERT_GE(seen.size(), static_cast<std::size_t>(kSteps));
    int previous = 0;
    bool importShown = false;
    for (const Seen& s : seen) {
        EXPECT_EQ(s.maximum, ProgressPanel::kBarSteps);
        if (s.label == coordfiles::kImportingDatTask) {
            importShown = true;
        }
        if (s.value < previous) {
            EXPECT_EQ(s.value, 0) << "a bar only starts again from empty";
        }
        previous = s.value;
    }
    EXPECT_TRUE(importShown);
    EXPECT_GT(seen.back().value, ProgressPanel::kBarSteps * 9 / 10);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(ProgressPanelTest, NeitherACloseNorAMenuClickRunsInsideARunningCommand) {
    bool closedDuringCommand = true;
    std::size_t windowsDuringCommand = 0;
    int boxesDuringCommand = -1;
    bool acted = false;
    pump_.onRun = [&] {
        if (std::exchange(acted, true)) {
            return;  // once, early in the import
        }
        closedDuringCommand = frame_->close();
        trigger("mnuFileNew");
        windowsDuringCommand = main_->windows().size();
        boxesDuringCommand = dialogs_.boxes;
    };
    trigger("mnuDatFile");

    EXPECT_FALSE(closedDuringCommand);
    EXPECT_EQ(windowsDuringCommand, 1u);  // the import's own window, no new one
    EXPECT_EQ(boxesDuringCommand, 0);     // nor a save question while it ran
    // The import finished whole, and then the close the user asked for went
    // ahead, asking about the changed drawing.
    EXPECT_TRUE(main_->closed);
    EXPECT_EQ(dialogs_.boxes, 1);
    QApplication::processEvents();
    EXPECT_FALSE(frame_->isVisible());
}

}  // namespace
}  // namespace brondel::desktop
