#include "tests/gui/user_session.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <cmath>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/progress_panel.h"
#include "coordfiles/import_commands.h"

namespace brondel::desktop {
namespace {

// What the progress panel showed at one moment of a command.
struct Seen {
    bool visible;
    std::string label;
    int value, maximum;
    bool barWhole;  // not squeezed out of the status bar by long panel texts
};

// A DAT import of a circle of many rows, its file and size answered.
class ProgressPanelTest : public testing::UserSession {
  protected:
    static constexpr int kSteps = 3000;

    ProgressPanelTest() {
        const std::string file = program.folder.file("circle.dat");
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < kSteps; ++i) {
            const double a = 6.283185307179586 * i / kSteps;
            out << 0.5 + 0.5 * std::cos(a) << ' ' << 0.5 * std::sin(a) << "\r\n";
        }
        program.dialogs().open(file).input("10");
    }
    std::function<void()>& onPump() { return program.fakes.pump.onRun; }
};

TEST_F(ProgressPanelTest, BarShowsTheWorkWhileACommandRunsAndGoesAtItsEnd) {
    ProgressPanel* panel = frame.progressPanel();
    EXPECT_FALSE(panel->isVisible());
    std::vector<Seen> seen;
    const QWidget* statusBar = panel->parentWidget();
    onPump() = [&] {
        const QProgressBar* bar = panel->bar();
        const QRect barInStatusBar(bar->mapTo(statusBar, QPoint(0, 0)), bar->size());
        seen.push_back({panel->isVisible(), panel->label()->text().toStdString(), bar->value(),
                        bar->maximum(),
                        statusBar->rect().contains(barInStatusBar) &&
                            panel->rect().contains(bar->geometry())});
    };
    program.main.statusMain.set(1, "X: 158666.5615056  Y: 158666.5615056 and more besides");
    program.main.statusMain.set(2, "/a/folder/of/a/long/name/with/drawings/in/it/circle.dxf");
    click("mnuDatFile");
    onPump() = nullptr;

    ASSERT_EQ(program.main.windows().size(), 1u);
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
        EXPECT_TRUE(s.barWhole);
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
    onPump() = [&] {
        if (std::exchange(acted, true)) {
            return;  // once, early in the import
        }
        closedDuringCommand = frame.close();
        click("mnuFileNew");
        windowsDuringCommand = program.main.windows().size();
        boxesDuringCommand = static_cast<int>(program.dialogs().messages().size());
    };
    program.dialogs().answer(ports::Answer::No);  // not saved on the way out
    click("mnuDatFile");

    EXPECT_FALSE(closedDuringCommand);
    EXPECT_EQ(windowsDuringCommand, 1u);  // the import's own window, no new one
    EXPECT_EQ(boxesDuringCommand, 0);     // nor a save question while it ran
    // The import finished whole, and then the close the user asked for went
    // ahead, asking about the changed drawing.
    EXPECT_TRUE(program.main.closed);
    EXPECT_EQ(program.dialogs().messages().size(), 1u);
    QApplication::processEvents();
    EXPECT_FALSE(frame.isVisible());
}

}  // namespace
}  // namespace brondel::desktop
