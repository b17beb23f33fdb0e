#include "windows/command_window.h"

#include <gtest/gtest.h>

#include "engine/cad.h"
#include "tests/support/fake_ports.h"

namespace brondel::windows {
namespace {

using testing::TestProgram;

bool checked(const TestProgram& program) {
    return program.main.menus.item("mnuToolsCommandWindow").checked();
}

documents::DrawingWindow& openWindow(TestProgram& program) {
    documents::DrawingWindow& window = program.newDrawing();
    program.main.activate(&window);
    return window;
}

TEST(CommandWindow, TogglesTheBoxAndCreatesTheEngineWindowOnEveryUse) {
    TestProgram program;
    documents::DrawingWindow& window = openWindow(program);
    EXPECT_FALSE(window.commandWindowVisible);
    EXPECT_FALSE(checked(program));

    const int before = engine::CadCWCount();
    program.main.click("mnuToolsCommandWindow");
    EXPECT_EQ(engine::CadCWCount(), before + 1);
    EXPECT_TRUE(window.commandWindowVisible);
    EXPECT_TRUE(checked(program));

    program.main.pressToolbar("asxToolbar1", 25);  // the same command from the toolbar
    EXPECT_EQ(engine::CadCWCount(), before + 2);
    EXPECT_FALSE(window.commandWindowVisible);
    EXPECT_FALSE(checked(program));
}

TEST(CommandWindow, CheckMarkFollowsTheWindowLastToggled) {
    TestProgram program;
    documents::DrawingWindow& first = openWindow(program);
    program.main.click("mnuToolsCommandWindow");
    documents::DrawingWindow& second = openWindow(program);
    EXPECT_TRUE(checked(program));  // still the first window's state

    program.main.click("mnuToolsCommandWindow");
    EXPECT_TRUE(second.commandWindowVisible);
    EXPECT_TRUE(first.commandWindowVisible);
    EXPECT_TRUE(checked(program));

    program.main.activate(&first);
    program.main.click("mnuToolsCommandWindow");
    EXPECT_FALSE(first.commandWindowVisible);
    EXPECT_TRUE(second.commandWindowVisible);
    EXPECT_FALSE(checked(program));
}

TEST(CommandWindow, TypingOpensAHiddenCommandWindowAndLeavesAShownOneOpen) {
    TestProgram program;
    documents::DrawingWindow& window = openWindow(program);
    for (int typed = 0; typed < 2; ++typed) {
        showCommandWindow(program.main);
        EXPECT_TRUE(window.commandWindowVisible);
        EXPECT_TRUE(checked(program));
    }
}

TEST(CommandWindow, BoxSitsAtTheBottomOfTheDrawing) {
    TestProgram program;
    documents::DrawingWindow& window = openWindow(program);
    window.vecad1Layout.height = 9000;
    const documents::Layout box = commandBoxLayout(window);
    EXPECT_EQ(box.top, 9000 - 1515);
    EXPECT_EQ(box.height, 1515);

    documents::DrawingWindow& other = openWindow(program);
    EXPECT_NE(commandBoxHandle(window), commandBoxHandle(other));
}

}  // namespace
}  // namespace brondel::windows
