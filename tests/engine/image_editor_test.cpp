// Image Manager: what it lists of the drawing's pictures, and each change as
// one undo step that leaves the drawing alone when refused.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/drawing.h"
#include "engine/image_editor.h"
#include "tests/support/fake_ports.h"

namespace brondel::engine {
namespace {

std::string pngOf(int w, int h) {
    std::string s("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (int v : {w, h}) {
        s += std::string{0, 0, static_cast<char>(v >> 8), static_cast<char>(v & 255)};
    }
    return s;
}

Entity imageOf(const std::string& file, double x) {
    return Entity(ImageGeom{{x, 0, 0}, {0.5, 0, 0}, {0, 0.5, 0}, 20, 10, file});
}

struct Pictures {
    Pictures() {
        std::ofstream(folder.file("a.png"), std::ios::binary) << pngOf(20, 10);
        std::ofstream(folder.file("b.png"), std::ios::binary) << pngOf(40, 30);
        std::ofstream(folder.file("notes.txt")) << "no picture";
        std::ofstream(folder.file("plate.dxf")) << "0\nEOF\n";  // the drawing, saved
        d.add(imageOf("a.png", 0));
        d.add(imageOf("a.png", 20));
        d.add(imageOf("gone.png", 40));
    }
    std::vector<const ImageGeom*> images() const {
        std::vector<const ImageGeom*> list;
        for (const Entity& e : d.entities()) {
            if (!e.erased) {
                list.push_back(geomIf<ImageGeom>(e));
            }
        }
        return list;
    }
    brondel::testing::TempFolder folder;
    Drawing d;
};

TEST(ImageEditor, ListsEachFileWithItsStateAndUses) {
    Pictures p;
    const ImageEditor editor(p.d, p.folder.file("plate.dxf"));
    const std::vector<ImageEditor::Row> rows = editor.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].file, "a.png");
    EXPECT_EQ(rows[0].path, p.folder.file("a.png"));
    EXPECT_TRUE(rows[0].found);
    EXPECT_EQ(rows[0].images, 2u);
    EXPECT_EQ(rows[1].file, "gone.png");
    EXPECT_FALSE(rows[1].found);
    EXPECT_NE(editor.prompt().find("gone.png  missing  1 image"), std::string::npos);
}

TEST(ImageEditor, EachChangeIsOneStepAndARefusalChangesNothing) {
    struct Row {
        std::string typed;
        std::string refused;    // "" when it is done
        std::size_t images;     // live images after it
        std::string firstFile;  // of the first live image after it
        double firstWidthPx;
    };
    const Row rows[] = {
        {"detach a.png", "", 1, "gone.png", 20},
        {"repath a.png b.png", "", 3, "b.png", 40},
        {"repath gone.png a.png", "", 3, "a.png", 20},
        {"reload a.png", "", 3, "a.png", 20},
        {"reload gone.png", "the file is not found", 3, "a.png", 20},
        {"repath a.png notes.txt", "not a PNG, JPEG, BMP, GIF or TIFF picture", 3, "a.png", 20},
        {"detach other.png", "No image shows \"other.png\"", 3, "a.png", 20},
        {"rename a.png", "Not understood", 3, "a.png", 20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        Pictures p;
        ImageEditor editor(p.d, p.folder.file("plate.dxf"));
        const std::uint64_t before = p.d.version();
        const std::string said = editor.command(row.typed);
        if (row.refused.empty()) {
            EXPECT_EQ(said, "");
            EXPECT_EQ(p.d.undoLabel(), "Image Manager");
        } else {
            EXPECT_NE(said.find(row.refused), std::string::npos) << said;
            EXPECT_EQ(p.d.version(), before);
        }
        const auto images = p.images();
        ASSERT_EQ(images.size(), row.images);
        EXPECT_EQ(images[0]->fileName, row.firstFile);
        EXPECT_EQ(images[0]->widthPx, row.firstWidthPx);
        // The width in drawing units stays whatever the picture's pixels.
        EXPECT_DOUBLE_EQ(images[0]->u.x * images[0]->widthPx, 10);
        if (row.refused.empty()) {
            p.d.undo();
            EXPECT_EQ(p.images().size(), 3u);
            EXPECT_EQ(p.images()[0]->fileName, "a.png");
            EXPECT_EQ(p.images()[0]->widthPx, 20);
        }
    }
}

}  // namespace
}  // namespace brondel::engine
