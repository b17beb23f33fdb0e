#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "engine/cad.h"
#include "engine/commands.h"
#include "shell/main_window.h"
#include "shell/routing_table.h"
#include "tests/support/fake_ports.h"

namespace brondel::shell {
namespace {

using testing::TestProgram;

// A program with one new drawing window whose DAT view only swaps the controls.
struct Session : TestProgram {
    Session() {
        main.addHandler("showDatView", [](MainWindow& m) {
            m.active()->Vecad1.visible = false;
            m.active()->Vecad2.visible = true;
        });
        main.click("mnuFileNew");
    }
    engine::Vecad& drawing() { return active().Vecad1; }
    engine::Vecad& preview() { return active().Vecad2; }
};

TEST(Dispatch, ZoomGoesToTheControlTheWindowShows) {
    Session s;
    const double drawingScale = s.drawing().view().scale();
    const double previewScale = s.preview().view().scale();

    s.main.click("mnuViewZoomIn");
    EXPECT_EQ(s.drawing().view().scale(), drawingScale / 2);
    EXPECT_EQ(s.preview().view().scale(), previewScale);

    s.main.pressToolbar("asxToolbar1", 29);  // the DAT view
    s.main.pressToolbar("asxToolbar1", 10);  // Zoom Out
    EXPECT_EQ(s.drawing().view().scale(), drawingScale / 2);
    EXPECT_EQ(s.preview().view().scale(), previewScale * 2);
}

TEST(Dispatch, RedoOnlyWhileTheDrawingIsShown) {
    Session s;
    s.drawing().AddLine(0, 0, 0, 1, 1, 0);
    s.main.click("mnuEditUndo");
    EXPECT_EQ(s.drawing().GetNumEntities(), 0);

    s.drawing().visible = false;
    s.main.click("mnuEditRedo");
    EXPECT_EQ(s.drawing().GetNumEntities(), 0);

    s.drawing().visible = true;
    s.main.pressToolbar("asxToolbar1", 22);
    EXPECT_EQ(s.drawing().GetNumEntities(), 1);
}

// No menu forwards such a code: only a typed number reaches it.
TEST(Dispatch, CodesTheEngineDoesNotCarryOutLeaveItsNotice) {
    Session s;
    s.drawing().commandInput("9999");
    s.drawing().commandInput("140");
    ASSERT_EQ(s.main.notices.size(), 2u);
    EXPECT_EQ(s.main.notices[0], engine::notAvailableNotice(9999));
    EXPECT_EQ(s.main.notices[1], engine::notAvailableNotice(140));
}

TEST(Dispatch, OrthoTwiceReturnsPolarStateAndCheckMark) {
    Session s;
    const bool before = s.drawing().PolarGetOn();
    s.main.click("mnuOrtho");
    EXPECT_NE(s.drawing().PolarGetOn(), before);
    EXPECT_EQ(s.main.menus.item("mnuOrtho").checked(), !before);
    s.main.pressToolbar("asxToolbar4", 20);
    EXPECT_EQ(s.drawing().PolarGetOn(), before);
    EXPECT_EQ(s.main.menus.item("mnuOrtho").checked(), before);
}

TEST(Dispatch, MagnifierNavigatorAndSnapActOnTheDrawing) {
    Session s;
    const int shown = engine::CadMagGetShow();
    s.main.pressToolbar("asxToolbar1", 13);
    EXPECT_EQ(engine::CadMagGetShow() != 0, shown == 0);
    EXPECT_TRUE(s.drawing().hasFocus());
    s.main.pressToolbar("asxToolbar1", 13);
    EXPECT_EQ(engine::CadMagGetShow() != 0, shown != 0);

    s.main.pressToolbar("asxToolbar1", 14);
    s.main.pressToolbar("asxToolbar1", 14);
    EXPECT_TRUE(s.drawing().NavGetParam(4));

    s.main.pressToolbar("asxToolbar4", 3);
    EXPECT_EQ(s.drawing().SnapGetMode(), 8);
    s.main.pressToolbar("asxToolbar4", 9);
    EXPECT_EQ(s.drawing().SnapGetMode(), 256);
}

TEST(Dispatch, ItemsWithoutAFunctionShowTheNoticeAndChangeNothing) {
    Session s;
    s.main.click("mnuToolsConvCoord");
    s.main.click("mnuInsertArcView");
    const auto messages = s.dialogs().messages();
    ASSERT_EQ(messages.size(), 2u);
    for (const auto& m : messages) {
        EXPECT_EQ(m.text, "Not working in this version... sorry.");
    }
    EXPECT_EQ(s.main.windows().size(), 1u);
    EXPECT_TRUE(s.main.notices.empty());
}

TEST(Dispatch, ButtonsActAsTheirItemsAndWindowsCanBeArranged) {
    Session s;
    s.main.pressToolbar("asxToolbar1", 1);  // New File
    EXPECT_EQ(s.main.windows().size(), 2u);
    s.main.click("mnuWindowTile");
    EXPECT_EQ(s.main.lastArrange, arrange::kTileHorizontal);
    s.main.click("mnuWindowArrIcons");
    EXPECT_EQ(s.main.lastArrange, arrange::kIcons);
}

TEST(Dispatch, CommandsWithoutAWindowDoNothingAndUnknownNamesFail) {
    TestProgram program;
    program.main.click("mnuViewZoomIn");
    program.main.click("mnuOrtho");
    program.main.pressToolbar("asxToolbar4", 1);
    EXPECT_TRUE(program.main.windows().empty());
    EXPECT_TRUE(program.main.notices.empty());
    EXPECT_THROW(program.main.click("mnuNoSuchItem"), Error);
    EXPECT_THROW(program.main.pressToolbar("asxToolbar1", 30), Error);
}

TEST(Dispatch, ProgramCommandsRunTheirHandlerOrSayTheyAreNotAvailable) {
    TestProgram program;
    int runs = 0;
    program.main.addHandler("mnuPrepDrawing", [&](MainWindow&) { ++runs; });
    program.main.click("mnuPrepDrawing");
    EXPECT_EQ(runs, 1);

    for (std::string_view item : routedItems()) {
        const Action& action = actionOf(item);
        if (action.kind == ActionKind::ProgramCommand &&
            !program.main.hasHandler(std::string(item))) {
            program.main.click(std::string(item));
            ASSERT_FALSE(program.main.notices.empty());
            EXPECT_EQ(program.main.notices.back().rfind("not available yet: ", 0), 0u);
            EXPECT_EQ(program.main.notices.back().find('&'), std::string::npos);
            return;
        }
    }
}

}  // namespace
}  // namespace brondel::shell
