#include "coordfiles/dat_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "command_fixture.h"
#include "coordfiles/file_conversion.h"

namespace brondel::coordfiles {
namespace {

using testing::CommandTest;
using testing::DrawnLine;
using testing::Message;
using testing::readFile;
using testing::writeFile;
using Rows = std::vector<std::string>;

const Message kComplete{
    "Drawing coordinate conversion to DAT file values complete.\rYou can now save the new DAT file",
    "Brondel 3.0"};
const Message kTooFew{"You must have at least 3 coordinate values listed to create a DAT file",
                      "Generate DAT File"};

class SequentialTest : public CommandTest {
  protected:
    SequentialTest() : window(newWindow()) {}
    documents::DrawingWindow& window;
};

TEST_F(SequentialTest, CollectsLinesInEntityOrderAndPreviewsTheSteps) {
    engine::Vecad& d = window.Vecad1;
    d.AddLine(0, 0, 0, 10, 0, 0);
    d.AddText("note", 3, 3, 0, 0, 1, 1, 0, 0);
    d.AddLine(10, 0, 0, 10, 5, 0);
    d.AddPoint(7, 7, 0);
    d.AddLine(10, 5, 0, 0, 0, 0);
    window.Vecad2.AddLine(-1, -1, 0, -2, -2, 0);  // an earlier preview
    std::vector<shell::MousePointer> pointers;
    main.pointerChanged.connect([&] { pointers.push_back(main.mousePointer); });
    main.click("mnuSequentialFile");
    // Busy through each long step and the default pointer back after each.
    using enum shell::MousePointer;
    EXPECT_EQ(pointers, (std::vector{Busy, Default, Busy, Default, Busy, Default}));
    EXPECT_EQ(window.CList.rows, (Rows{"0, 0", "10, 0", "10, 5", "0, 0"}));
    EXPECT_EQ(window.DList.rows, (Rows{"0 0", "1 0", "1 0.5", "0 0"}));
    EXPECT_EQ(main.statusMain.panels[2], " 4 Steps in the DAT File");
    EXPECT_EQ(
        testing::drawnLines(window.Vecad2),
        (std::vector<DrawnLine>{{0, 0, 1, 0, "0"}, {1, 0, 1, 0.5, "0"}, {1, 0.5, 0, 0, "0"}}));
    EXPECT_EQ(takeMessages(), std::vector<Message>{kComplete});
    EXPECT_FALSE(window.Vecad1.visible);
    EXPECT_TRUE(window.Vecad2.visible);
    EXPECT_EQ(d.GetNumEntities(), 5) << "the drawing is left as it was";
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
    EXPECT_GE(pump.runs, 5 + 4 + 4) << "once per entity, per generated row and per preview row";
}

// Without a screen the preview waits until something looks at it, then shows
// the list it was made for, even when a later conversion changed the list.
TEST_F(SequentialTest, APreviewOnDemandIsDrawnWhenFirstNeeded) {
    main.previewOnDemand = true;
    window.Vecad1.AddLine(0, 0, 0, 10, 0, 0);
    window.Vecad1.AddLine(10, 0, 0, 10, 5, 0);
    window.Vecad1.AddLine(10, 5, 0, 0, 0, 0);
    window.Vecad2.AddLine(-1, -1, 0, -2, -2, 0);  // an earlier preview
    main.click("mnuSequentialFile");
    EXPECT_EQ(main.statusMain.panels[2], " 4 Steps in the DAT File");
    EXPECT_EQ(takeMessages(), std::vector<Message>{kComplete});
    EXPECT_EQ(window.Vecad2.GetNumEntities(), 1) << "not drawn yet";
    const std::vector<DrawnLine> first{{0, 0, 1, 0, "0"}, {1, 0, 1, 0.5, "0"}, {1, 0.5, 0, 0, "0"}};
    window.settlePreview();
    EXPECT_EQ(testing::drawnLines(window.Vecad2), first);
    window.settlePreview();
    EXPECT_EQ(testing::drawnLines(window.Vecad2), first) << "drawn once";

    main.click("mnuSequentialFile");
    window.CList.rows = {"0, 0", "20, 0", "0, 0"};
    main.click("mnuConvert");
    EXPECT_EQ(window.DList.rows, (Rows{"0 0", "1 0", "0 0"}));
    window.settlePreview();
    EXPECT_EQ(testing::drawnLines(window.Vecad2),
              (std::vector<DrawnLine>{{0, 0, 1, 0, "0"}, {1, 0, 0, 0, "0"}}));
}

TEST_F(SequentialTest, OnlyFirstPointsAndTheLastSecondPointAreUsed) {
    window.Vecad1.AddLine(0, 0, 0, 10, 0, 0);
    window.Vecad1.AddLine(10, 5, 0, 10, 0, 0);
    window.Vecad1.AddLine(10, 5, 0, 0, 0, 0);
    main.click("mnuSequentialFile");
    EXPECT_EQ(window.CList.rows, (Rows{"0, 0", "10, 5", "10, 5", "0, 0"}));
    // The zig-zag is written as specified, and said after the completion message.
    EXPECT_EQ(takeMessages(), std::vector<Message>{kComplete});
    const std::string jumps =
        "Warning: the lines do not run end to end: the path jumps 2 times, the longest jump 5. "
        "Reorganize Entities orders a drawing whose lines lie in any order.";
    EXPECT_EQ(main.statusMain.panels[2], jumps);
    EXPECT_EQ(window.Vecad1.commandHistory().back(), jumps);
}

TEST_F(SequentialTest, ADrawingWithoutLinesStopsAfterTheTooFewMessage) {
    window.Vecad1.AddPoint(1, 1, 0);
    main.click("mnuSequentialFile");
    EXPECT_EQ(window.CList.rows, (Rows{"0, 0"}));
    EXPECT_EQ(takeMessages(), std::vector<Message>{kTooFew});
    EXPECT_FALSE(main.state.generationFailed);
    EXPECT_TRUE(window.DList.rows.empty());
    EXPECT_EQ(window.Vecad2.GetNumEntities(), 0);
    EXPECT_TRUE(window.Vecad1.visible);
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
}

TEST_F(CommandTest, SearchRadiusAcceptsOnlyNumbersAboveZero) {
    const Message refused{"Invalid entry, Search Radius must be a number greater than 0",
                          "Brondel 3.0"};
    for (const char* answer : {"0", "-1", "abc", "0.02mm", "1e-400", "0.02"}) {
        dialogs.input(answer);
    }
    main.click("mnuChangeRadius");
    EXPECT_EQ(main.searchRadius, 0.02);
    EXPECT_EQ(takeMessages(), std::vector<Message>(5, refused));
    const std::vector<testing::DialogCall> asked = inputBoxes();
    ASSERT_EQ(asked.size(), 6u);
    // The prompt and title are in tests/scripts/quoting's transcript.
    for (const testing::DialogCall& call : asked) {
        EXPECT_EQ(call.defaultText, "0.01") << "a refusal keeps the old radius";
    }

    dialogs.input("");  // cancelled
    main.click("mnuChangeRadius");
    EXPECT_EQ(main.searchRadius, 0.02);
    EXPECT_EQ(inputBoxes().back().defaultText, "0.02");
    EXPECT_TRUE(takeMessages().empty());
}

class SaveDatTest : public CommandTest {
  protected:
    SaveDatTest() : window(newWindow()) { window.DList.rows = {"0 0", "0.5 0.25", "1 0"}; }
    documents::DrawingWindow& window;
};

TEST_F(SaveDatTest, WritesEveryRowWithCarriageReturnAndLineFeed) {
    const std::string file = path("rib.dat");
    writeFile(file, std::string(100, 'x'));
    dialogs.save(file);
    main.click("mnuSaveDAT");
    EXPECT_EQ(readFile(file), "0 0\r\n0.5 0.25\r\n1 0\r\n") << "replaced, not appended to";
    EXPECT_TRUE(takeMessages().empty());
    // The dialog's title and file type are in tests/scripts/sequential_dat_round_trip's
    // transcript.
    ASSERT_EQ(fileDialogs().size(), 1u);
    EXPECT_EQ(fileDialogs()[0].flags, 2) << "ask before overwriting";
    EXPECT_EQ(fileDialogs()[0].initialName, "");
}

TEST_F(SaveDatTest, CancelWritesNothingAndFailuresAreReported) {
    dialogs.save("");
    main.click("mnuSaveDAT");
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_TRUE(std::filesystem::is_empty(path("")));

    dialogs.save(path("no-such-folder/rib.dat"));
    main.click("mnuSaveDAT");
    const std::vector<Message> messages = takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Brondel 3.0");
    EXPECT_TRUE(messages[0].text.starts_with("Error Number: ")) << messages[0].text;
    EXPECT_NE(messages[0].text.find(", Error Description: "), std::string::npos);

    const std::string good = path("good.dat");
    writeFile(good, "kept\r\n");
    window.DList.rows = {"0 0", "0.5"};  // a row without its blank
    dialogs.save(good);
    main.click("mnuSaveDAT");
    EXPECT_EQ(takeMessages().size(), 1u);
    EXPECT_EQ(readFile(good), "kept\r\n") << "a failed save leaves the old file as it was";
}

// A drawing file made with the engine, its entities in path order.
std::string sequentialDrawing(const std::string& file, int lines) {
    engine::Vecad d;
    for (int i = 0; i < lines; ++i) {
        const double a = i * 10.0;
        d.AddLine(a, i % 2, 0, a + 10, (i + 1) % 2, 0);
    }
    d.FileSaveAs(file);
    return file;
}

TEST_F(CommandTest, FileConversionTakesTheShortRoadInOneCall) {
    const std::string out = path("zigzag.dat");
    FileConversion done =
        convertSequentialFile(sequentialDrawing(path("zigzag.dxf"), 4), out, 0.01);
    ASSERT_TRUE(done.done) << done.message;
    EXPECT_EQ(done.lines, 4u);
    EXPECT_EQ(done.steps, 5u);
    EXPECT_EQ(readFile(out), "0 0\r\n0.25 0.025\r\n0.5 0\r\n0.75 0.025\r\n1 0\r\n");

    // Through the window commands the same drawing gives the same file.
    documents::DrawingWindow& window = newWindow();
    window.Vecad1.FileOpen(path("zigzag.dxf"));
    main.click("mnuSequentialFile");
    dialogs.save(path("by-commands.dat"));
    main.click("mnuSaveDAT");
    EXPECT_EQ(readFile(path("by-commands.dat")), readFile(out));
    // The saved list is checked against the drawing.
    EXPECT_EQ(main.statusMain.panels[2],
              "DAT check: 5 steps, at most 0 from the drawing (rounding allows 0.00311), closure "
              "gap 40: the DAT file follows the drawing.");
    EXPECT_EQ(window.Vecad1.commandHistory().back(), main.statusMain.panels[2]);
}

TEST_F(CommandTest, FileConversionFailuresLeaveNoFile) {
    const std::string out = path("out.dat");
    FileConversion tooFew = convertSequentialFile(sequentialDrawing(path("one.dxf"), 1), out, 0.01);
    EXPECT_FALSE(tooFew.done);
    EXPECT_EQ(tooFew.message, kTooFew.text);
    EXPECT_EQ(tooFew.lines, 1u);

    FileConversion missing = convertSequentialFile(path("missing.dxf"), out, 0.01);
    EXPECT_FALSE(missing.done);
    EXPECT_TRUE(missing.message.starts_with("Error: 53 , Error Description: ")) << missing.message;

    FileConversion unwritable =
        convertSequentialFile(sequentialDrawing(path("two.dxf"), 2), path("none/out.dat"), 0.01);
    EXPECT_FALSE(unwritable.done);
    EXPECT_TRUE(unwritable.message.starts_with("Error Number: ")) << unwritable.message;
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace brondel::coordfiles
