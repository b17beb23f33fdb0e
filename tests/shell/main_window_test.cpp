#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/cad.h"
#include "shell/routing_table.h"
#include "tests/support/fake_ports.h"
#include "tests/support/files.h"

namespace brondel::shell {
namespace {

using ports::Answer;
using testing::readFile;
using testing::TestProgram;
using testing::writeFile;

void change(documents::DrawingWindow& window) {
    window.Vecad1.AddLine(0, 0, 0, 10, 5, 0);
}

// The engine's name buffer as the program stores it.
std::string storedProfile(const std::string& name) {
    std::string buffer(256, ' ');
    buffer.replace(0, name.size() + 1, name + '\0');
    return "\"" + buffer + "\"\r\n";
}

// What the menus and toolbars offer at start is in the reviewed dump
// tests/scripts/start_state.expected.json.
TEST(MainWindowStart, WithoutLastProfileLoadsTheEmptyProfile) {
    engine::CadProfileLoad("left over");
    TestProgram program;
    MainWindow& main = program.main;

    EXPECT_EQ(main.profileName, "");
    EXPECT_EQ(engine::CadProfileGetName(), "");
    EXPECT_EQ(engine::CadGetParam(12), 0);
    EXPECT_EQ(engine::CadGetColorsName(), "white");
    EXPECT_EQ(main.fileDialogHelp.file, program.folder.file("brondel.hlp"));
}

TEST(MainWindowStart, StoredProfileNamesReachTheEngineWithoutPaddingOrNul) {
    struct Case {
        std::string fileText;
        std::string engineName;
    };
    const Case cases[] = {
        {storedProfile("Brondel"), "Brondel"},
        {storedProfile("Brondel Night"), "Brondel"},  // the product's own profiles
        {storedProfile("  Shop floor"), "Shop floor"},
        {"\"brondel\"\r\n", "brondel"},  // the product name is compared case-sensitively
        {"Plain name, rest\r\n", "Plain name"},
        {"\"Unclosed\r\n", "Unclosed"},
    };
    for (const Case& c : cases) {
        TestProgram program(false);
        writeFile(program.folder.file("LastProfile.txt"), c.fileText);
        program.main.start();
        EXPECT_EQ(engine::CadProfileGetName(), c.engineName) << c.fileText;
    }
}

TEST(MainWindowShutdown, ExitWithoutWindowsClosesAndStoresTheProfileBuffer) {
    TestProgram program(false);
    writeFile(program.folder.file("LastProfile.txt"), storedProfile("Shop floor"));
    program.main.start();
    program.main.click("mnuFileEnd");

    EXPECT_TRUE(program.main.closed);
    EXPECT_FALSE(program.main.splashLoaded);
    EXPECT_EQ(program.main.mousePointer, MousePointer::Default);
    const std::string written = readFile(program.folder.file("LastProfile.txt"));
    EXPECT_EQ(written, storedProfile("Shop floor"));
    EXPECT_EQ(written.size(), 256u + 4u);
    EXPECT_TRUE(std::filesystem::exists(program.folder.path() / "profiles" / "Shop floor.profile"));

    // The next start reads back what this one wrote.
    TestProgram next(false);
    std::filesystem::copy_file(program.folder.file("LastProfile.txt"),
                               next.folder.file("LastProfile.txt"));
    next.main.start();
    EXPECT_EQ(engine::CadProfileGetName(), "Shop floor");
}

// Installed, the program's folder is not the user's to write: the last
// profile's name is kept beside the profiles and read back from there.
TEST(MainWindowShutdown, AProgramFolderThatCannotBeWrittenKeepsTheNameWithTheProfiles) {
    TestProgram program(false);  // profiles in FOLDER/profiles
    const std::string installed = program.folder.file("no-such-folder");
    {
        MainWindow main(program.fakes.ports(), installed);
        main.start();
        engine::CadProfileLoad("Shop floor");
        main.click("mnuFileEnd");
        EXPECT_TRUE(main.notices.empty()) << main.notices.front();
    }
    EXPECT_EQ(readFile(program.folder.file("LastProfile.txt")), storedProfile("Shop floor"));
    EXPECT_FALSE(std::filesystem::exists(installed));
    engine::CadProfileLoad("other");
    MainWindow next(program.fakes.ports(), installed);
    next.start();
    EXPECT_EQ(engine::CadProfileGetName(), "Shop floor");
}

// Closing the main window with one changed drawing is the transcript of
// tests/scripts/exit_with_changed_drawing.
TEST(MainWindowShutdown, CancelOnAnyChangedDrawingKeepsTheProgramRunning) {
    TestProgram program;
    MainWindow& main = program.main;
    main.click("mnuFileNew");
    change(program.active());
    main.click("mnuFileNew");
    change(program.active());

    main.windows().front()->commandWindowVisible = true;
    main.menus.setChecked("mnuToolsCommandWindow", true);

    // The active (second) window asks first; No closes it, Cancel keeps the first.
    program.dialogs().answer(Answer::No).answer(Answer::Cancel);
    main.click("mnuFileEnd");
    EXPECT_FALSE(main.windows().front()->commandWindowVisible);
    EXPECT_FALSE(main.menus.item("mnuToolsCommandWindow").checked());
    EXPECT_FALSE(main.closed);
    EXPECT_TRUE(main.closeCancelled);
    EXPECT_EQ(main.windows().size(), 1u);
    EXPECT_EQ(main.openWindowCount, 1);
    EXPECT_EQ(main.mousePointer, MousePointer::Default);
    ASSERT_EQ(program.dialogs().messages().size(), 2u);

    // The earlier Cancel does not stop the next Exit.
    program.dialogs().answer(Answer::No);
    main.click("mnuFileEnd");
    EXPECT_TRUE(main.closed);
    EXPECT_TRUE(main.windows().empty());
    EXPECT_TRUE(program.dialogs().drained());
}

TEST(MainWindowShutdown, AFailedSaveFromTheClosePromptStopsTheExit) {
    TestProgram program;
    MainWindow& main = program.main;
    main.click("mnuFileNew");
    change(program.active());
    program.active().Vecad1.PutFileName(program.folder.file("missing/folder/plan.dxf"));

    program.dialogs().answer(Answer::Yes);
    main.click("mnuFileEnd");
    EXPECT_FALSE(main.closed);
    ASSERT_EQ(main.windows().size(), 1u);
    EXPECT_TRUE(program.active().Vecad1.HasChanged());
    const auto messages = program.dialogs().messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text.rfind("Error Number: ", 0), 0u) << messages[1].text;
    EXPECT_EQ(messages[1].title, "Brondel 3.0");
}

TEST(MainWindowWindows, NewWindowsOpenMaximizedAndClosingReturnsToTheLastActive) {
    TestProgram program;
    MainWindow& main = program.main;
    int changes = 0;
    main.windowsChanged.connect([&] { ++changes; });
    main.click("mnuFileNew");
    main.click("mnuFileNew");
    main.click("mnuFileNew");
    auto& first = *main.windows()[0];
    auto& third = *main.windows()[2];
    EXPECT_TRUE(third.maximized);
    EXPECT_EQ(main.active(), &third);
    EXPECT_EQ(third.serial(), 3);
    EXPECT_TRUE(third.Vecad1.hasFocus());

    main.activate(&first);
    EXPECT_TRUE(first.Vecad1.hasFocus());
    EXPECT_FALSE(third.Vecad1.hasFocus());
    main.closeWindow(first);
    EXPECT_EQ(main.active(), &third);
    EXPECT_EQ(main.openWindowCount, 2);
    EXPECT_GE(changes, 5);

    main.arrange(arrange::kCascade);
    EXPECT_EQ(main.lastArrange, arrange::kCascade);
    EXPECT_FALSE(third.maximized);
}

TEST(MainWindowWindows, ControlsFollowTheInnerAreaOfTheMainWindow) {
    TestProgram program;
    MainWindow& main = program.main;
    main.click("mnuFileNew");
    auto& window = program.active();
    EXPECT_EQ(window.vecad1Layout.width, 10965);
    EXPECT_EQ(window.vecad1Layout.height, 7455);
    EXPECT_EQ(window.vecad2Layout.width, 10965);

    main.setInnerSize(15120, 9420);
    for (const documents::Layout& layout : {window.vecad1Layout, window.vecad2Layout}) {
        EXPECT_EQ(layout.left, 90);
        EXPECT_EQ(layout.top, 90);
        EXPECT_EQ(layout.width, 15000);
        EXPECT_EQ(layout.height, 9000);
    }
    EXPECT_EQ(window.Vecad1.view().width(), 1000);
    EXPECT_EQ(window.Vecad2.view().height(), 600);
    EXPECT_EQ(window.Frame1.layout.height, 7335);  // the list frame keeps its size
}

}  // namespace
}  // namespace brondel::shell
