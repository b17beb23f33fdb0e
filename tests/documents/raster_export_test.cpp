// Export Screen Raster asks through the dialogs port, refuses bad sizes and
// file types before anything is rendered, and writes what the printer port
// renders into the chosen file.
#include "documents/raster_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "engine/commands.h"
#include "tests/support/fake_ports.h"

namespace brondel::documents {
namespace {

using testing::DialogCall;
using testing::TestProgram;

TEST(RasterExport, SizesAreReadOrRefused) {
    const struct {
        const char* text;
        int width, height;  // 0: refused
    } rows[] = {
        {"1920 x 1080", 1920, 1080},
        {"640X480", 640, 480},
        {" 800,600 ", 800, 600},
        {"1 1", 1, 1},
        {"16384 x 4096", 16384, 4096},
        {"", 0, 0},
        {"wide", 0, 0},
        {"100", 0, 0},
        {"100 x 100 x 3", 0, 0},
        {"0 x 10", 0, 0},
        {"-5 x 10", 0, 0},
        {"16385 x 1", 0, 0},
        {"9000 x 9000", 0, 0},
        {"99999999999999999999 x 1", 0, 0},
        {"1.5 x 2", 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        if (row.width == 0) {
            EXPECT_THROW(parseRasterSize(row.text), Error);
            continue;
        }
        const RasterSize size = parseRasterSize(row.text);
        EXPECT_EQ(size.width, row.width);
        EXPECT_EQ(size.height, row.height);
    }
}

TEST(RasterExport, TheCommandAsksRendersAndWrites) {
    using Format = ports::RasterFormat;
    const struct {
        const char* name;
        std::vector<std::string> typed;
        std::string file;  // under the test's folder; "" for no save dialog
        int type;          // chosen in the save dialog
        std::string written;
        int width, height;  // of the render; 0 for none
        Format format;
        std::size_t refusals;
    } rows[] = {
        {"view", {"view"}, "a.png", 1, "a.png", 731, 497, Format::Png, 0},
        {"type from dialog", {"e", "640 x 480"}, "b", 2, "b.jpg", 640, 480, Format::Jpeg, 0},
        {"size again", {"e", "0 x 5", "320,200"}, "c.BMP", 1, "c.BMP", 320, 200, Format::Bmp, 1},
        {"huge, never drawn", {"extents", "100000 x 100000", ""}, "", 1, "", 0, 0, Format::Png, 1},
        {"unknown answer", {"window", ""}, "", 1, "", 0, 0, Format::Png, 1},
        {"unknown type", {"view"}, "d.gif", 1, "", 0, 0, Format::Png, 1},
        {"missing folder", {"view"}, "missing/e.png", 1, "", 731, 497, Format::Png, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TestProgram p;
        DrawingWindow& w = p.newDrawing();
        w.Vecad1.AddLine(0, 0, 0, 200, 50, 0);
        for (const std::string& t : row.typed) {
            p.dialogs().input(t);
        }
        if (!row.file.empty()) {
            p.dialogs().save((p.folder.path() / row.file).string());
            p.fakes.dialogs.saveTypes.push_back(row.type);
        }
        w.Vecad1.Execute(engine::command::kExportScreenRaster);
        EXPECT_TRUE(p.dialogs().drained());
        EXPECT_EQ(p.dialogs().messages().size(), row.refusals);

        const auto& rasters = p.fakes.printer.rasters;
        ASSERT_EQ(rasters.size(), row.width ? 1u : 0u);
        if (row.width) {
            const engine::View& v = rasters.front().view;
            EXPECT_EQ(v.width(), row.width);
            EXPECT_EQ(v.height(), row.height);
            EXPECT_EQ(rasters.front().format, row.format);
            if (row.typed.front() != "view") {  // the extents fill the picture
                EXPECT_LE(v.left(), 0);
                EXPECT_GE(v.right(), 200);
                EXPECT_LE(v.bottom(), 0);
                EXPECT_GE(v.top(), 50);
                EXPECT_LT(v.right() - v.left(), 200 * 1.2);
            }
        }
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(p.folder.path())) {
            files += entry.is_regular_file();
        }
        EXPECT_EQ(files, row.written.empty() ? 0u : 1u);
        if (!row.written.empty()) {
            EXPECT_EQ(testing::readFile(p.folder.path() / row.written), "picture");
        }
    }
}

TEST(RasterExport, ARenderFailureIsToldAndLeavesTheOldFile) {
    TestProgram p;
    DrawingWindow& w = p.newDrawing();
    const auto file = p.folder.path() / "old.png";
    std::ofstream(file) << "old";
    p.fakes.printer.failure = Error(err::kOverflow, "out of memory");
    p.dialogs().input("view").save(file.string());
    w.Vecad1.Execute(engine::command::kExportScreenRaster);
    const auto told = p.dialogs().messages();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told.front().text, file.string() + " was not written: out of memory");
    EXPECT_EQ(testing::readFile(file), "old");
}

}  // namespace
}  // namespace brondel::documents
