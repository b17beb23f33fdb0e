#include "documents/file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/error.h"
#include "documents/drawing_window.h"
#include "shell/main_window.h"
#include "tests/support/fake_ports.h"
#include "tests/support/thrown.h"

namespace brondel::documents {
namespace {

using ports::Answer;
using testing::DialogCall;
using testing::TestProgram;

const std::string kCorpusDxf =
    std::string(BRONDEL_CORPUS_DIR) + "/dxf/bjnortier-dxf_squareandcircle.dxf";

// What New and Open leave in the menus and toolbars is in the reviewed dumps
// of tests/scripts/new_window, close_prompts and open_corpus_drawing, a file
// that is not there in the last one's transcript.

// Runs the body with the working folder set to folder.
template <typename Body>
void inFolder(const std::filesystem::path& folder, Body body) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    body();
    std::filesystem::current_path(previous);
}

TEST(FileOpen, CancelledDialogChangesNothing) {
    TestProgram program;
    program.dialogs().open("");
    program.main.click("mnuFileOpen");
    EXPECT_TRUE(program.main.windows().empty());
    EXPECT_FALSE(program.main.menus.item("mnuEdit").enabled());
    EXPECT_FALSE(program.main.toolbars.toolbar("asxToolbar1").visible());
    // The dialog's title and file types are in tests/scripts/open_corpus_drawing's transcript.
    ASSERT_EQ(program.dialogs().calls.size(), 1u);
    EXPECT_EQ(program.dialogs().calls[0].setup.flags, 0x2000);
    EXPECT_EQ(program.dialogs().calls[0].setup.initialName, "");
}

TEST(FileOpen, CorpusDrawingOpensZoomedToItsExtents) {
    TestProgram program;
    int pointerChanges = 0;
    program.main.pointerChanged.connect([&] { ++pointerChanges; });
    program.dialogs().open(kCorpusDxf);
    program.main.pressToolbar("asxToolbar1", 3);  // fileopen

    ASSERT_EQ(program.main.windows().size(), 1u);
    const engine::Vecad& drawing = program.active().Vecad1;
    EXPECT_EQ(drawing.GetNumEntities(), 2);
    EXPECT_FALSE(drawing.HasChanged());
    EXPECT_EQ(drawing.GetFileName(), kCorpusDxf);
    EXPECT_EQ(program.main.statusMain.panels[1], kCorpusDxf);
    EXPECT_EQ(program.main.openWindowCount, 1);
    EXPECT_EQ(pointerChanges, 2);  // busy while reading, then back
    EXPECT_EQ(program.main.mousePointer, shell::MousePointer::Default);
    EXPECT_TRUE(program.dialogs().messages().empty());

    engine::Vecad fresh;
    fresh.FileOpen(kCorpusDxf);
    fresh.ZoomExtents();
    EXPECT_DOUBLE_EQ(drawing.ViewGetLeft(), fresh.ViewGetLeft());
    EXPECT_DOUBLE_EQ(drawing.ViewGetTop(), fresh.ViewGetTop());
}

TEST(FileOpen, BrokenFileReportsTheEngineErrorAndLeavesAnEmptyWindow) {
    TestProgram program;
    const std::string path = program.folder.file("broken.dxf");
    std::ofstream(path) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n";
    const auto [number, description] = testing::thrown([&] { engine::Vecad().FileOpen(path); });
    ASSERT_NE(number, 0);

    program.dialogs().open(path);
    program.main.click("mnuFileOpen");
    const auto messages = program.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Error: " + std::to_string(number) + " , Error Description: " + description);
    EXPECT_EQ(messages[0].buttons, ports::Buttons::Ok);
    EXPECT_EQ(messages[0].title, "Brondel 3.0");
    EXPECT_EQ(program.main.mousePointer, shell::MousePointer::Default);
    ASSERT_EQ(program.main.windows().size(), 1u);
    EXPECT_EQ(program.active().Vecad1.GetNumEntities(), 0);
    EXPECT_EQ(program.main.openWindowCount, 1);
}

TEST(FileSave, NewDrawingSavesUnderItsDefaultName) {
    TestProgram program;
    program.main.click("mnuFileNew");
    program.active().Vecad1.AddLine(0, 0, 0, 1, 0, 0);
    inFolder(program.folder.path(), [&] { program.main.click("mnuSaveCurrent"); });
    EXPECT_TRUE(std::filesystem::exists(program.folder.path() / "Drawing.dxf"));
    EXPECT_FALSE(program.active().Vecad1.HasChanged());
    EXPECT_TRUE(program.dialogs().calls.empty());
}

TEST(FileSave, FailureShowsTheNumberAndDescription) {
    TestProgram program;
    program.main.click("mnuFileNew");
    program.active().Vecad1.PutFileName(program.folder.file("gone/plan.dxf"));
    program.main.click("mnuSaveCurrent");
    const auto messages = program.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.rfind("Error Number: ", 0), 0u);
    EXPECT_EQ(messages[0].title, "Brondel 3.0");
    EXPECT_EQ(program.main.mousePointer, shell::MousePointer::Default);
}

// The save dialog's title and file types, and the R12 type chosen and offered
// again, are in the transcript of tests/scripts/save_as_r12.
TEST(FileSaveAs, WritesTheChosenFileAndShowsItsName) {
    TestProgram program;
    program.main.click("mnuFileNew");
    program.active().Vecad1.AddLine(0, 0, 0, 1, 2, 0);
    const std::string target = program.folder.file("wing.vec");
    program.dialogs().save(target);
    program.main.pressToolbar("asxToolbar1", 4);  // "Save "
    EXPECT_EQ(program.dialogs().calls.at(0).setup.flags, ports::file_flags::kOverwritePrompt);
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(program.active().Vecad1.GetFileName(), target);
    EXPECT_EQ(program.main.statusMain.panels[1], target);

    engine::Vecad reread;
    reread.FileOpen(target);
    EXPECT_EQ(reread.GetNumEntities(), 1);
}

TEST(FileSaveAs, CancelIsQuietAndFailuresShowTheFixedText) {
    TestProgram program;
    program.main.click("mnuFileNew");
    program.dialogs().save("");
    program.main.click("mnuSaveAs");
    EXPECT_TRUE(program.dialogs().messages().empty());

    for (const std::string& target :
         {program.folder.file("none/x.dxf"), program.folder.file("x.dwg")}) {
        program.dialogs().save(target);
        program.main.click("mnuSaveAs");
        const DialogCall m = program.dialogs().messages().back();
        EXPECT_EQ(m.text, "An error has occurred while trying to write the file.");
        EXPECT_EQ(m.icon, ports::Icon::Information);
        EXPECT_EQ(m.title, "Brondel 3.0");
    }
    EXPECT_EQ(program.dialogs().messages().size(), 2u);
    EXPECT_EQ(program.active().Vecad1.GetFileName(), "Drawing.dxf");
}

struct ThreeChanged : TestProgram {
    ThreeChanged() {
        for (int i = 0; i < 3; ++i) {
            main.click("mnuFileNew");
            active().Vecad1.AddLine(0, 0, 0, i + 1, 0, 0);
        }
    }
};

TEST(FileCloseAll, AsksForEveryChangedDrawing) {
    ThreeChanged program;
    program.dialogs().answer(Answer::No).answer(Answer::No).answer(Answer::No);
    program.main.click("mnuCloseAll");
    EXPECT_TRUE(program.main.windows().empty());
    EXPECT_EQ(program.dialogs().messages().size(), 3u);
    EXPECT_FALSE(program.main.menus.item("mnuCloseAll").enabled());
}

TEST(FileCloseAll, CancelOrAFailedSaveStopsIt) {
    ThreeChanged program;
    program.dialogs().answer(Answer::No).answer(Answer::Cancel);
    program.main.click("mnuCloseAll");
    EXPECT_EQ(program.main.windows().size(), 2u);
    EXPECT_EQ(program.dialogs().messages().size(), 2u);

    program.active().Vecad1.PutFileName(program.folder.file("missing/a.dxf"));
    program.dialogs().answer(Answer::Yes);
    program.main.click("mnuCloseAll");
    EXPECT_EQ(program.main.windows().size(), 2u);
    EXPECT_TRUE(program.dialogs().drained());
}

TEST(FilePrint, PrintsAndPreviewsTheShownControl) {
    TestProgram program;
    program.main.click("mnuFileNew");
    DrawingWindow& window = program.active();
    program.main.click("mnuFilePrinterPrint");
    window.Vecad1.visible = false;
    window.Vecad2.visible = true;
    program.main.pressToolbar("asxToolbar1", 5);
    program.main.click("mnuFilePrinterPrev");
    program.main.click("mnuFilePrinterSetup");

    const auto& printer = program.fakes.printer;
    ASSERT_EQ(printer.printed.size(), 2u);
    EXPECT_EQ(printer.printed[0], &window.Vecad1);
    EXPECT_EQ(printer.printed[1], &window.Vecad2);
    ASSERT_EQ(printer.previewed.size(), 1u);
    EXPECT_EQ(printer.previewed[0], &window.Vecad2);
    EXPECT_EQ(printer.setups, 1);
}

TEST(FilePrint, PrinterFailureIsReported) {
    TestProgram program;
    program.main.click("mnuFileNew");
    program.fakes.printer.failure = Error(err::kPathFileAccess);
    program.main.click("mnuFilePrinterPrint");
    const auto messages = program.dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Error Number: 75, Error Description: " + describeError(75));
}

}  // namespace
}  // namespace brondel::documents
