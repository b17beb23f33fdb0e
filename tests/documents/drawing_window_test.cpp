#include "documents/drawing_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/commands.h"
#include "shell/main_window.h"
#include "shell/progress_scope.h"
#include "tests/support/fake_ports.h"

namespace brondel::documents {
namespace {

using ports::Answer;
using testing::TestProgram;

constexpr const char* kChanged = "This drawing has changed. Do you want to save ";

struct Session : TestProgram {
    Session() { main.click("mnuFileNew"); }
    DrawingWindow& window() { return active(); }
    void change() { window().Vecad1.AddLine(0, 0, 0, 3, 4, 0); }
};

// Also while a command runs, which the keys leave running.
TEST(DrawingWindow, KeypadPlusAndMinusZoomTheDrawing) {
    Session s;
    engine::View& view = s.window().Vecad1.view();
    const double scale = view.scale();
    s.window().Vecad1.Execute(engine::command::kDrawLine);
    s.window().keyPressed(107);
    EXPECT_EQ(view.scale(), scale / 2);
    s.window().keyPressed(109);
    s.window().keyPressed(109);
    EXPECT_EQ(view.scale(), scale * 2);
    s.window().keyPressed(187);  // the main keyboard's "+" is not a zoom key
    EXPECT_EQ(view.scale(), scale * 2);
    EXPECT_TRUE(s.main.notices.empty());
    EXPECT_TRUE(s.window().Vecad1.commandRunning());
}

// The prompt's buttons, icon and title are in the transcript of
// tests/scripts/close_changed.
TEST(DrawingWindow, SavePromptNamesTheFileAfterALineBreak) {
    Session s;
    s.change();
    s.dialogs().answer(Answer::No);
    EXPECT_TRUE(s.main.closeWindow(s.window()));
    const auto messages = s.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, std::string(kChanged) + "\rDrawing.dxf");
}

TEST(DrawingWindow, YesOnAnUnnamedDrawingAsksForANameAndSaves) {
    Session s;
    s.change();
    s.window().Vecad1.PutFileName("");
    const std::string target = s.folder.file("rib.dxf");
    s.dialogs().answer(Answer::Yes).save(target);
    EXPECT_TRUE(s.main.closeWindow(s.window()));
    const auto& calls = s.dialogs().calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].text, kChanged);  // no line break without a name
    EXPECT_EQ(calls[1].kind, testing::DialogCall::Kind::SaveFile);
    EXPECT_EQ(calls[1].setup.title, "Save Drawing");
    EXPECT_EQ(calls[1].setup.flags, 2);
    EXPECT_TRUE(std::filesystem::exists(target));
}

TEST(DrawingWindow, CancelledOrFailedSaveKeepsTheWindowAndItsChanges) {
    Session s;
    s.change();
    s.window().Vecad1.PutFileName("");
    s.dialogs().answer(Answer::Yes).save("");  // the name dialog cancelled
    EXPECT_FALSE(s.main.closeWindow(s.window()));
    EXPECT_TRUE(s.main.closeCancelled);
    EXPECT_EQ(s.dialogs().messages().size(), 1u);  // a cancel says nothing more

    s.window().Vecad1.PutFileName(s.folder.file("no/such/folder/a.dxf"));
    s.dialogs().answer(Answer::Yes);
    EXPECT_FALSE(s.main.closeWindow(s.window()));
    EXPECT_TRUE(s.main.closeCancelled);
    const auto messages = s.dialogs().messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].text.rfind("Error Number: ", 0), 0u) << messages[2].text;
    EXPECT_NE(messages[2].text.find(", Error Description: "), std::string::npos);

    ASSERT_EQ(s.main.windows().size(), 1u);
    EXPECT_TRUE(s.window().Vecad1.HasChanged());
    EXPECT_EQ(s.window().Vecad1.GetNumEntities(), 1);
    EXPECT_EQ(s.main.openWindowCount, 1);

    // The next request that goes ahead clears the flag.
    s.dialogs().answer(Answer::No);
    EXPECT_TRUE(s.main.closeWindow(s.window()));
    EXPECT_FALSE(s.main.closeCancelled);
}

// The last window closed switching the drawing commands off is the reviewed
// dump of tests/scripts/close_prompts.
TEST(DrawingWindow, AClosingWindowSwitchesTheDrawingCommandsBackOn) {
    Session s;
    s.main.addHandler("showDatView", [](shell::MainWindow&) {});
    s.main.click("mnuFileNew");
    s.main.pressToolbar("asxToolbar1", 29);  // New and Open off
    EXPECT_FALSE(s.main.menus.item("mnuFileNew").enabled());

    s.main.click("mnuClose");
    EXPECT_TRUE(s.main.menus.item("mnuFileNew").enabled());
    EXPECT_TRUE(s.main.menus.item("mnu1").enabled());
    EXPECT_TRUE(s.main.menus.item("mnuClose").enabled());
    EXPECT_TRUE(s.main.toolbars.toolbar("asxToolbar1").visible());
}

// How the numbers are written is numbers_test's (CursorText).
// A walk over many lines redraws at every step: the views hear of it once
// per move of the bar, and the last change is never lost.
TEST(DrawingWindow, LongWorkRegeneratesOncePerMoveOfTheBarAndAtItsEnd) {
    Session s;
    int regenerated = 0, redrawn = 0;
    auto r1 = s.window().vecad1Events.regeneratedSignal.scoped([&] { ++regenerated; });
    auto r2 = s.window().vecad1Events.redrawnSignal.scoped([&] { ++redrawn; });
    {
        shell::ProgressScope progress(s.main, "Walking", 10'000);
        for (int i = 1; i <= 10'000; ++i) {
            s.window().Vecad1.Update();
            s.window().Vecad1.WndRedraw();
            progress.advance(i, 10'000);
        }
        EXPECT_GE(regenerated, int(shell::Progress::kVisibleSteps) - 1);
        EXPECT_LE(regenerated, int(shell::Progress::kVisibleSteps) + 1);
        EXPECT_EQ(redrawn, regenerated);
        s.window().Vecad1.Update();
    }
    const int afterEnd = regenerated;
    EXPECT_EQ(redrawn + 1, afterEnd);
    s.window().Vecad1.Update();
    EXPECT_EQ(regenerated, afterEnd + 1);
}

TEST(DrawingWindow, CursorPositionGoesToTheFirstPanel) {
    Session s;
    s.window().cursorMoved(12, -3.25, 7);
    EXPECT_EQ(s.main.statusMain.panels[0], "X: 12.   Y: -3.25");
}

}  // namespace
}  // namespace brondel::documents
