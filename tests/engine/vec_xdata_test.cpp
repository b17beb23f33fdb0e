// Extended data kept through VEC files: on block entities and drawing
// entities, past erased ones; files of the first version, which have none,
// still read.
#include <gtest/gtest.h>

#include <cstring>

#include "base/error.h"
#include "tests/engine/vec_bytes.h"
#include "tests/support/thrown.h"

namespace brondel::engine {
namespace {

XData appData(const std::string& name, const std::string& value) {
    return {{name, {{1000, value}, {1040, "2.5"}, {1071, "-7"}}}};
}

TEST(VecXData, KeptOnBlockAndDrawingEntitiesAndOldFilesStillRead) {
    DrawingContent c;
    Block b{
        "PART", {}, 0, {Entity(LineGeom{{0, 0, 0}, {1, 0, 0}}), Entity(CircleGeom{{0, 0, 0}, 1})}};
    b.entities.back().setXData(XDataPtr(appData("INBLOCK", "b")));
    c.blocks.emplace("PART", b);
    for (int i = 0; i < 4; ++i) {
        c.entities.emplace_back(PointGeom{{double(i), 0, 0}});
    }
    c.entities[0].setXData(XDataPtr(appData("FIRST", "ü and \"quotes\"")));
    c.entities[1].erased = true;  // not written: the places after it close up
    c.entities[1].setXData(XDataPtr(appData("GONE", "x")));
    XData two = appData("CAM", "drill");
    two.push_back({"EMPTY", {}});
    c.entities[3].setXData(XDataPtr(two));

    const DrawingContent back = io::vec::decode(testing::encoded(c));
    ASSERT_EQ(back.entities.size(), 3u);
    ASSERT_TRUE(back.entities[0].xdata());
    EXPECT_EQ(*back.entities[0].xdata(), appData("FIRST", "ü and \"quotes\""));
    EXPECT_FALSE(back.entities[1].xdata());
    ASSERT_TRUE(back.entities[2].xdata());
    EXPECT_EQ(*back.entities[2].xdata(), two);
    const Block& part = back.blocks.at("PART");
    EXPECT_FALSE(part.entities[0].xdata());
    ASSERT_TRUE(part.entities[1].xdata());
    EXPECT_EQ(*part.entities[1].xdata(), appData("INBLOCK", "b"));

    // The default settings close every file of this version.
    constexpr std::size_t kSettings = testing::kDefaultVecSettings;
    // A first-version file is this one without the extended data count and
    // the default settings that follow it.
    c.blocks.clear();
    for (Entity& e : c.entities) {
        e.setXData(nullptr);
    }
    std::string old = testing::encoded(c);
    old.resize(old.size() - 4 - kSettings);
    const std::uint32_t first = 1;
    std::memcpy(old.data() + 8, &first, sizeof first);
    EXPECT_EQ(io::vec::decode(old).entities.size(), 3u);

    // Extended data for a place that has no entity, or out of order, is
    // damage; the same entries for a later place that exists are not.
    const std::string whole = testing::encoded(c);
    const std::string settings = whole.substr(whole.size() - kSettings);
    const std::string entities = whole.substr(0, whole.size() - kSettings - 4);
    for (const std::uint32_t place : {3u, 1u, 2u}) {
        const std::uint32_t entries[] = {2, 1, 0, place, 0};
        const std::string file =
            entities + std::string(reinterpret_cast<const char*>(entries), sizeof entries) +
            settings;
        if (place == 2) {
            EXPECT_EQ(io::vec::decode(file).entities.size(), 3u);
            continue;
        }
        EXPECT_EQ(brondel::testing::thrown([&] { io::vec::decode(file); }).number, err::kVecCorrupt)
            << "read extended data for place " << place;
    }
}

}  // namespace
}  // namespace brondel::engine
