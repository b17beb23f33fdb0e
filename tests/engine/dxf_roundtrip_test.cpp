#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "tests/engine/entity_values.h"
#include "tests/engine/every_kind_drawing.h"
#include "tests/support/files.h"

namespace brondel::engine {
namespace {

namespace fs = std::filesystem;

// Numbers to a relative tolerance, names and texts exactly; angles as
// directions, since one may come back as another turn of the same angle.
void expectSameGeometry(const Entity& a, const Entity& b) {
    testing::EntityValues x = testing::entityValues(a, true), y = testing::entityValues(b, true);
    if (geomIf<DimensionGeom>(a)) {
        // One read without its block is written with a new one of its picture.
        for (std::string* block : {&x.texts[0], &y.texts[0]}) {
            if (block->empty() || block->rfind("*D", 0) == 0) {
                *block = "*D";
            }
        }
    }
    EXPECT_EQ(x.texts, y.texts);
    ASSERT_EQ(x.numbers.size(), y.numbers.size());
    for (std::size_t i = 0; i < x.numbers.size(); ++i) {
        const double scale = std::max({1.0, std::fabs(x.numbers[i]), std::fabs(y.numbers[i])});
        EXPECT_NEAR(x.numbers[i], y.numbers[i], 1e-9 * scale) << "value " << i;
    }
}

void expectSameEntities(const std::vector<Entity>& a, const std::vector<Entity>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE("entity " + std::to_string(i) + " " + testing::kindName(a[i]));
        ASSERT_EQ(testing::kindName(a[i]), testing::kindName(b[i]));
        EXPECT_EQ(a[i].props().layer, b[i].props().layer);
        EXPECT_EQ(a[i].props().color, b[i].props().color);
        expectSameGeometry(a[i], b[i]);
    }
}

// Written, then read back by our own reader.
DrawingContent throughDxf(const DrawingContent& content) {
    Drawing drawing;
    drawing.load(content);
    const brondel::testing::TempFolder folder;
    io::writeDxf(drawing, folder.file("back.dxf"));
    return io::readDxf(folder.file("back.dxf"));
}

void expectSameDrawing(const DrawingContent& first, const DrawingContent& second) {
    for (const Layer& layer : first.layers) {
        SCOPED_TRACE("layer " + layer.name);
        const auto found = std::find_if(second.layers.begin(), second.layers.end(),
                                        [&](const Layer& l) { return l.name == layer.name; });
        ASSERT_NE(found, second.layers.end());
        EXPECT_EQ(*found, layer);
    }
    expectSameEntities(first.entities, second.entities);
    for (const auto& [name, block] : first.blocks) {
        if (name.size() > 1 && name[0] == '*' &&
            (name[1] == 'M' || name[1] == 'P' || name[1] == 'm' || name[1] == 'p')) {
            continue;  // model and paper space are layouts, written as such
        }
        SCOPED_TRACE("block " + name);
        const auto found = second.blocks.find(name);
        ASSERT_NE(found, second.blocks.end());
        expectSameEntities(block.entities, found->second.entities);
    }
}

TEST(DxfRoundTrip, EveryKindOfTheModelComesBack) {
    DrawingContent first = testing::everyKindContent();
    expectSameDrawing(first, throughDxf(first));
}

TEST(DxfRoundTrip, CorpusDrawingsKeepTheirEntitiesAndLayers) {
    int tried = 0;
    for (const auto& file : fs::directory_iterator(fs::path(BRONDEL_CORPUS_DIR) / "dxf")) {
        DrawingContent first;
        try {
            first = io::readDxf(file.path().string());
        } catch (const Error&) {
            continue;  // the reader's own tests cover files it refuses
        }
        SCOPED_TRACE(file.path().filename().string());
        ++tried;
        expectSameDrawing(first, throughDxf(first));
    }
    EXPECT_GT(tried, 0);
}

}  // namespace
}  // namespace brondel::engine
