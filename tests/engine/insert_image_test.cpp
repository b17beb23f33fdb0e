// Insert Image: picture sizes read from file headers, paths kept relative to
// the drawing and following it into another folder, and the inserted image surviving a save that
// ezdxf reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "engine/commands.h"
#include "engine/image_paths.h"
#include "engine/image_size.h"
#include "engine/io/drawing_files.h"
#include "tests/engine/vecad_session.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/fake_ports.h"
#include "tests/support/files.h"

namespace brondel::engine {
namespace {

using brondel::testing::writeFile;
using nlohmann::json;

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) {
        s += static_cast<char>(b);
    }
    return s;
}

// The smallest header that states a size, for each kind.
std::string pngOf(int w, int h) {
    return bytes({0x89, 'P', 'N', 'G',    13,      10, 26, 10,     0,       0, 0, 13, 'I', 'H', 'D',
                  'R',  0,   0,   w >> 8, w & 255, 0,  0,  h >> 8, h & 255, 8, 2, 0,  0,   0});
}

TEST(ImageSize, HeadersOfEveryKindGiveTheirSize) {
    struct Row {
        const char* kind;
        std::string data;
        std::optional<PixelSize> size;
    };
    const std::string bmpHead = bytes({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0});
    const Row rows[] = {
        {"png", pngOf(640, 480), PixelSize{640, 480}},
        {"gif", "GIF89a" + bytes({0x20, 0x03, 0x58, 0x02, 0}), PixelSize{800, 600}},
        {"bmp", bmpHead + bytes({100, 0, 0, 0, 50, 0, 0, 0, 1, 0}), PixelSize{100, 50}},
        {"bmp stored top down", bmpHead + bytes({100, 0, 0, 0, 0xce, 0xff, 0xff, 0xff, 1, 0}),
         PixelSize{100, 50}},
        // An APP0 segment before the frame header, as cameras write.
        {"jpeg", bytes({0xff, 0xd8, 0xff, 0xe0, 0,    4,    'J', 'F', 0xff, 0xc0, 0,
                        11,   8,    0x01, 0xe0, 0x02, 0x80, 3,   0,   0,    0}),
         PixelSize{640, 480}},
        {"progressive jpeg", bytes({0xff, 0xd8, 0xff, 0xc2, 0, 11, 8, 0, 10, 0, 20, 3, 0, 0, 0}),
         PixelSize{20, 10}},
        {"tiff little endian", bytes({'I', 'I', 42, 0, 8, 0, 0, 0, 2, 0, 0, 1, 3, 0,  1, 0, 0,
                                      0,   64,  0,  0, 0, 1, 1, 4, 0, 1, 0, 0, 0, 32, 0, 0, 0}),
         PixelSize{64, 32}},
        {"tiff big endian", bytes({'M', 'M', 0, 42, 0, 0, 0, 8, 0, 2, 1, 0, 0, 3, 0, 0, 0,
                                   1,   0,   7, 0,  0, 1, 1, 0, 3, 0, 0, 0, 1, 0, 9, 0, 0}),
         PixelSize{7, 9}},
        {"png cut short", pngOf(640, 480).substr(0, 20), std::nullopt},
        {"png of no pixels", pngOf(0, 480), std::nullopt},
        {"jpeg without a frame", bytes({0xff, 0xd8, 0xff, 0xe0, 0, 4, 0, 0}), std::nullopt},
        {"tiff pointing past its end", bytes({'I', 'I', 42, 0, 0xff, 0, 0, 0}), std::nullopt},
        {"text", "0\nSECTION\n2\nENTITIES\n", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        const std::optional<PixelSize> size = imagePixelSizeOf(row.data);
        ASSERT_EQ(size.has_value(), row.size.has_value());
        if (size) {
            EXPECT_EQ(size->width, row.size->width);
            EXPECT_EQ(size->height, row.size->height);
        }
    }
}

TEST(ImagePaths, RelativeToTheDrawingWhereThePictureLiesBelowIt) {
    struct Row {
        const char* chosen;
        const char* drawing;
        const char* stored;
    };
    const Row rows[] = {
        {"/work/parts/logo.png", "/work/parts/plate.dxf", "logo.png"},
        {"/work/parts/pictures/logo.png", "/work/parts/plate.dxf", "pictures/logo.png"},
        {"/work/other/logo.png", "/work/parts/plate.dxf", "/work/other/logo.png"},
        {"/work/parts/logo.png", "", "/work/parts/logo.png"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chosen);
        const std::string stored = storedImagePath(row.chosen, row.drawing);
        EXPECT_EQ(stored, row.stored);
        EXPECT_EQ(std::filesystem::path(resolvedImagePath(stored, row.drawing)).lexically_normal(),
                  std::filesystem::path(row.chosen));
    }
    EXPECT_EQ(resolvedImagePath("pictures\\logo.png", "/work/plate.dxf"),
              "/work/pictures/logo.png");
}

// A drawing saved into another folder keeps naming the same picture and
// reference files, in memory, in the file and in its undo history; a save
// that fails changes no path.
TEST(ImagePaths, SavedIntoAnotherFolderTheyStillNameTheSameFiles) {
    brondel::testing::TempFolder folder;
    for (const char* sub : {"a", "c"}) {
        std::filesystem::create_directory(folder.file(sub));
    }
    const std::string picture = folder.file("a/pics/logo.png");
    const std::string reference = folder.file("a/parts/part.dxf");
    testing::VecadSession s;
    s.v.drawing().add(
        Entity(ImageGeom{.widthPx = 10, .heightPx = 10, .fileName = "pics/logo.png"}));
    s.v.drawing().setBlock("Part", Block{"Part", {}, 4, {}, "parts/part.dxf"});

    struct Row {
        const char* to;
        bool fails;
        std::string image, reference;
    };
    const Row rows[] = {
        {"a/plate.dxf", false, "pics/logo.png", "parts/part.dxf"},  // first save: as kept
        {"missing/plate.dxf", true, "pics/logo.png", "parts/part.dxf"},
        {"a/plate.vec", false, "pics/logo.png", "parts/part.dxf"},  // same folder
        {"c/plate.dxf", false, picture, reference},
        {"a/again.dxf", false, picture, reference},  // absolute paths stay
    };
    const auto kept = [&] {
        const Drawing& d = s.v.drawing();
        return std::pair{geomIf<ImageGeom>(d.entities().front())->fileName,
                         d.findBlock("Part")->xrefPath};
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.to);
        const std::string target = folder.file(row.to);
        if (row.fails) {
            EXPECT_THROW(s.v.FileSaveAs(target), Error);
        } else {
            s.v.FileSaveAs(target);
            const DrawingContent back = row.to[std::string_view(row.to).size() - 1] == 'c'
                                            ? io::readVec(target)
                                            : io::readDxf(target);
            EXPECT_EQ(geomIf<ImageGeom>(back.entities.front())->fileName, row.image);
        }
        EXPECT_EQ(kept(), std::pair(row.image, row.reference));
    }
    s.v.Execute(command::kUndo);
    s.v.Execute(command::kUndo);
    s.v.Execute(command::kRedo);
    s.v.Execute(command::kRedo);
    EXPECT_EQ(kept(), std::pair(picture, reference));
}

TEST(InsertImage, KeepsPathAndSizeThroughASaveThatEzdxfReads) {
    ASSERT_TRUE(brondel::testing::ezdxfInstalled()) << "install python3-ezdxf to run this test";
    brondel::testing::TempFolder folder;
    std::filesystem::create_directory(folder.file("pictures"));
    const std::string picture = folder.file("pictures/logo.png");
    writeFile(picture, pngOf(200, 100));

    testing::VecadSession s;
    s.heard.fileAnswer = picture;
    // Not yet saved: the path stays whole.
    s.v.PutFileName(folder.file("plate.dxf"));
    s.v.Execute(command::kInsertImage);
    s.press(0, 0);
    s.v.commandInput("");
    EXPECT_EQ(geomIf<ImageGeom>(s.v.drawing().entity(s.v.drawing().firstLive()))->fileName,
              picture);
    s.v.Execute(command::kUndo);
    // Saved: relative to its folder.
    io::writeDxf(s.v.drawing(), folder.file("plate.dxf"));
    s.v.Execute(command::kInsertImage);
    s.press(10, 20);
    s.v.commandInput("50");
    ASSERT_FALSE(s.v.commandRunning());
    ASSERT_EQ(s.entities(), 1);

    // Square pixels; our own reading of the saved image is the every-kind round trip's.
    const auto* image = geomIf<ImageGeom>(s.v.drawing().entity(s.v.drawing().firstLive()));
    EXPECT_DOUBLE_EQ(image->v.y, image->u.x);
    const std::string path = folder.file("plate.dxf");
    io::writeDxf(s.v.drawing(), path);

    const json read = brondel::testing::ezdxfRead("ezdxf_images.py", path);
    EXPECT_EQ(read["auditErrors"], 0);
    ASSERT_EQ(read["images"].size(), 1u);
    const json& seen = read["images"][0];
    EXPECT_EQ(seen["file"], "pictures/logo.png");
    EXPECT_EQ(seen["insert"], json::array({10.0, 20.0}));
    EXPECT_EQ(seen["size"], json::array({200.0, 100.0}));
    EXPECT_DOUBLE_EQ(seen["pixel"].get<double>(), 0.25);
}

TEST(InsertImage, RefusesWhatIsNoPictureAndLeavesTheDrawingAlone) {
    brondel::testing::TempFolder folder;
    writeFile(folder.file("notes.png"), "not a picture");
    writeFile(folder.file("logo.png"), pngOf(20, 10));
    struct Row {
        std::string answer;
        std::vector<std::string> typed;
        const char* said;
    };
    const Row rows[] = {
        {"", {}, "No picture chosen"},
        {folder.file("gone.png"), {}, "the file is not found"},
        {folder.file("notes.png"), {}, "not a PNG, JPEG, BMP, GIF or TIFF picture"},
        {folder.file("logo.png"), {"0", "-3"}, "The width must be greater than 0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.said);
        testing::VecadSession s;
        s.heard.fileAnswer = row.answer;
        s.v.Execute(command::kInsertImage);
        if (!row.typed.empty()) {
            s.press(0, 0);
        }
        for (const std::string& t : row.typed) {
            s.v.commandInput(t);
        }
        EXPECT_EQ(s.v.commandRunning(), !row.typed.empty());
        EXPECT_EQ(s.entities(), 0);
        ASSERT_FALSE(s.v.commandHistory().empty());
        EXPECT_NE(s.v.commandHistory().back().find(row.said), std::string::npos)
            << s.v.commandHistory().back();
    }
}

}  // namespace
}  // namespace brondel::engine
