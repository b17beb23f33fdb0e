#include "coordfiles/import_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/numbers.h"
#include "command_fixture.h"
#include "coordfiles/dat_reader.h"

namespace brondel::coordfiles {
namespace {

using testing::CommandTest;
using testing::DrawnLine;
using testing::Message;
using testing::writeFile;
using Rows = std::vector<std::string>;

const std::filesystem::path kCorpus = std::filesystem::path(BRONDEL_CORPUS_DIR) / "dat";

class ImportTest : public CommandTest {
  protected:
    // Imports file answering the size box with size; the new window, if any.
    documents::DrawingWindow* import(const char* item, const std::string& file,
                                     const std::string& size) {
        dialogs.open(file);
        if (!file.empty()) {
            dialogs.input(size);
        }
        const std::size_t before = main.windows().size();
        main.click(item);
        dialogs.inputs.clear();  // a failure before the size box leaves its answer unused
        return main.windows().size() > before ? main.active() : nullptr;
    }

    // The single error message shown, or "".
    std::string errorShown() {
        const std::vector<Message> messages = takeMessages();
        if (messages.size() != 1) {
            ADD_FAILURE() << messages.size() << " messages";
            return {};
        }
        EXPECT_EQ(messages[0].title, "Brondel 3.0");
        return messages[0].text;
    }
};

// The file dialog and size box, and the menus afterwards, are in the
// transcript and dump of tests/scripts/close_changed.
TEST_F(ImportTest, DatFileBecomesAChainOfLinesOnLayerDxf) {
    const std::string file = path("tri.dat");
    writeFile(file, "0 0\r\n0.5 0.25\r\n1 0\r\n");
    documents::DrawingWindow* window = import("mnuDatFile", file, "10");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(main.openWindowCount, 1);
    EXPECT_EQ(testing::drawnLines(window->Vecad1),
              (std::vector<DrawnLine>{{0, 0, 5, 2.5, "DXF"}, {5, 2.5, 10, 0, "DXF"}}));
    EXPECT_EQ(window->Vecad1.drawing().currentLayer(), "DXF");
    EXPECT_EQ(window->DList.rows, (Rows{"0 0", "0.5 0.25", "1 0"}));
    EXPECT_EQ(window->CList.rows, (Rows{"0, 0", "5, 2.5", "10, 0"}));
    EXPECT_EQ(main.statusMain.panels[1], file);
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
    EXPECT_GT(window->Vecad1.ViewGetRight(), 9.9) << "zoomed to the shape";
    window->Vecad1.drawing().undo();
    EXPECT_EQ(window->Vecad1.GetNumEntities(), 0) << "one undo takes the whole shape away";
    EXPECT_EQ(fileDialogs().at(0).flags, 0x1000) << "the file must exist";
}

TEST_F(ImportTest, CorFileOfCommaSeparatedNumbersDrawsOnTheCurrentLayer) {
    const std::string file = path("tri.cor");
    writeFile(file, "0,0,0.5,0.25,1,0");
    documents::DrawingWindow* window = import("mnuCorFile", file, "10");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(testing::drawnLines(window->Vecad1),
              (std::vector<DrawnLine>{{0, 0, 5, 2.5, "0"}, {5, 2.5, 10, 0, "0"}}));
    EXPECT_EQ(window->CList.rows, (Rows{"0, 0", "5, 2.5", "10, 0"}));
}

TEST_F(ImportTest, AirfoilFilesOfTheCorpusImportWithTheirNames) {
    struct Case {
        const char* file;
        const char* name;
        std::size_t points;
    };
    for (const Case& c : {Case{"uiuc-airinnova_e850.dat", "EPPLER E850 AIRFOIL", 35 + 33 - 1},
                          Case{"uiuc-airinnova_clarky.dat", "CLARK Y AIRFOIL", 121},
                          Case{"pygeo_naca0012.dat", "", 160}}) {
        SCOPED_TRACE(c.file);
        documents::DrawingWindow* window = import("mnuDatFile", (kCorpus / c.file).string(), "200");
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(takeMessages().empty());
        EXPECT_EQ(window->DList.rows.size(), c.points);
        const std::vector<DrawnLine> lines = testing::drawnLines(window->Vecad1);
        ASSERT_EQ(lines.size(), c.points - 1);
        EXPECT_EQ(lines[0].layer, "DXF");
        EXPECT_EQ(window->CList.rows.size(), c.points);
        EXPECT_EQ(main.statusMain.panels[2], c.name);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            ASSERT_EQ(lines[i].x1, lines[i - 1].x2) << "joined end to end at line " << i;
        }
    }
    EXPECT_EQ(main.openWindowCount, 3);
}

TEST_F(ImportTest, ASavedDatFileReadsBackAtTheWidthItCameFrom) {
    documents::DrawingWindow& source = newWindow();
    source.CList.rows = {"0, 0", "40, 4", "80, -8", "20, 8"};
    main.click("mnuConvert");
    dialogs.save(path("round.dat"));
    main.click("mnuSaveDAT");
    documents::DrawingWindow* copy = import("mnuDatFile", path("round.dat"), "80");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->DList.rows, source.DList.rows);
    EXPECT_EQ(copy->CList.rows, (Rows{"0, 8", "40, 12", "80, 0", "20, 16"}))
        << "the shape back at its width, its lowest point at 0";
}

TEST_F(ImportTest, SizeZeroClosesTheNewWindowAndCancelLeavesNothing) {
    const std::string file = path("tri.dat");
    writeFile(file, "0 0\n0.5 0.25\n1 0\n");
    EXPECT_EQ(import("mnuDatFile", file, "0"), nullptr);
    EXPECT_TRUE(main.windows().empty());
    EXPECT_EQ(main.openWindowCount, 0);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);

    EXPECT_EQ(import("mnuDatFile", "", "10"), nullptr) << "the file dialog cancelled";
    EXPECT_TRUE(main.windows().empty());
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(ImportTest, FailuresAreReportedAndTheWindowKeepsWhatWasMade) {
    const std::string file = path("tri.dat");
    writeFile(file, "0 0\n0.5 0.25\n1 0\n");

    documents::DrawingWindow* cancelled = import("mnuDatFile", file, "");
    ASSERT_NE(cancelled, nullptr);
    EXPECT_EQ(errorShown(), "Error Number: 13, Error Description: Type mismatch");
    EXPECT_EQ(cancelled->DList.rows.size(), 3u);
    EXPECT_EQ(cancelled->Vecad1.GetNumEntities(), 0);
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);

    const std::string single = path("single.dat");
    writeFile(single, "0.5\n");
    documents::DrawingWindow* half = import("mnuDatFile", single, "10");
    ASSERT_NE(half, nullptr);
    EXPECT_TRUE(errorShown().starts_with("Error Number: 62, Error Description: Input past end"));
    EXPECT_TRUE(half->DList.rows.empty());
    EXPECT_EQ(inputBoxes().size(), 1u) << "no size is asked for a file that failed";

    ASSERT_NE(import("mnuCorFile", path("missing.cor"), "10"), nullptr);
    EXPECT_TRUE(errorShown().starts_with("Error Number: 53, Error Description: File not found"));

    // A size that takes the shape beyond coordinate text draws nothing.
    documents::DrawingWindow* huge = import("mnuDatFile", file, "1e30");
    ASSERT_NE(huge, nullptr);
    EXPECT_EQ(errorShown(), "Error Number: 6, Error Description: Overflow");
    EXPECT_EQ(huge->Vecad1.GetNumEntities(), 0);
    documents::DrawingWindow* negative = import("mnuDatFile", file, "-10");
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(errorShown(),
              "Error Number: 5, Error Description: The horizontal size must not be negative");
    EXPECT_EQ(negative->Vecad1.GetNumEntities(), 0);
    EXPECT_EQ(main.openWindowCount, 5);
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
}

}  // namespace
}  // namespace brondel::coordfiles
