#include <gtest/gtest.h>

#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "tests/engine/entity_values.h"
#include "tests/engine/every_kind_drawing.h"
#include "tests/engine/vec_bytes.h"
#include "tests/support/files.h"
#include "tests/support/thrown.h"

namespace brondel::engine {
namespace {

void expectSameEntities(const std::vector<Entity>& a, const std::vector<Entity>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE("entity " + std::to_string(i) + " " + typeName(a[i].type()));
        EXPECT_EQ(a[i].props(), b[i].props());
        ASSERT_EQ(a[i].geom.index(), b[i].geom.index());
        const testing::EntityValues x = testing::entityValues(a[i]),
                                    y = testing::entityValues(b[i]);
        EXPECT_EQ(x.numbers, y.numbers);
        EXPECT_EQ(x.texts, y.texts);
    }
}

void expectSameContent(const DrawingContent& a, const DrawingContent& b) {
    EXPECT_EQ(a.header, b.header);
    EXPECT_EQ(a.layers, b.layers);
    EXPECT_EQ(a.lineTypes, b.lineTypes);
    EXPECT_EQ(a.textStyles, b.textStyles);
    EXPECT_EQ(a.currentLayer, b.currentLayer);
    ASSERT_EQ(a.blocks.size(), b.blocks.size());
    for (const auto& [name, block] : a.blocks) {
        SCOPED_TRACE("block " + name);
        const auto found = b.blocks.find(name);
        ASSERT_NE(found, b.blocks.end());
        EXPECT_EQ(block.name, found->second.name);
        EXPECT_EQ(block.base, found->second.base);
        EXPECT_EQ(block.flags, found->second.flags);
        expectSameEntities(block.entities, found->second.entities);
    }
    expectSameEntities(a.entities, b.entities);
}

TEST(VecRoundTrip, KeepsEveryFieldOfEveryKindAndLeavesErasedEntitiesOut) {
    DrawingContent content = testing::everyKindContent();
    // What new entities, dimensions and points take comes back too.
    content.header.currentColor = {5, 0x123456};
    content.header.currentLineWeight = 35;
    content.header.dimStyle = {"ISO-25", 3.5, 1.5, 0.5, 2, 0.75, 3, 4, 1.5, false};
    content.header.pointMode = 34;
    content.header.pointSize = -7.5;
    content.entities.insert(content.entities.begin(), Entity(LineGeom{{0, 0, 0}, {1, 1, 0}}));
    Drawing drawing;
    drawing.load(content);
    drawing.setErased(drawing.firstLive(), true);
    const brondel::testing::TempFolder folder;
    io::writeVec(drawing, folder.file("drawing.vec"));

    const DrawingContent read = io::readVec(folder.file("drawing.vec"));
    content.entities.erase(content.entities.begin());
    expectSameContent(content, read);
}

TEST(VecRoundTrip, KeepsValuesAtTheEdgesOfTheirRanges) {
    DrawingContent c;
    c.layers = {Layer{""}};
    const EntityProps extreme{
        std::string("nul\0inside", 10), {-32768, 0x7fffffff}, "", -32768, -0.0};
    c.entities.emplace_back(
        LineGeom{{std::numeric_limits<double>::infinity(),
                  std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::max()},
                 {1e-300, -1e300, 0.1}},
        extreme);
    c.entities.emplace_back(PolylineGeom{}, EntityProps{});
    c.entities.emplace_back(HatchGeom{}, EntityProps{});
    const DrawingContent read = io::readVecBuffer(testing::encoded(c));
    expectSameContent(c, read);
    EXPECT_TRUE(std::signbit(read.entities[0].props().lineTypeScale));
}

TEST(VecRoundTrip, SharesEntityPropertiesInsteadOfRepeatingThem) {
    DrawingContent c;
    for (int i = 0; i < 1000; ++i) {
        c.entities.emplace_back(LineGeom{{0, 0, 0}, {1, double(i), 0}},
                                testing::props("A very long layer name indeed", 3));
    }
    const std::string data = testing::encoded(c);
    EXPECT_LT(data.size(), 1000 * (1 + 4 + 48) + 350);
    expectSameContent(c, io::readVecBuffer(data));
}

TEST(VecFile, MissingFileIsFileNotFound) {
    const brondel::testing::Thrown e =
        brondel::testing::thrown([] { io::readVec("/nonexistent/folder/drawing.vec"); });
    EXPECT_EQ(e.number, err::kFileNotFound);
    EXPECT_NE(e.description.find("/nonexistent/folder/drawing.vec"), std::string::npos);
}

}  // namespace
}  // namespace brondel::engine
