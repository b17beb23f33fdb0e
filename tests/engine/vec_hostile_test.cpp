#include <gtest/gtest.h>

#include <cstring>

#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "tests/engine/every_kind_drawing.h"
#include "tests/engine/vec_bytes.h"
#include "tests/support/thrown.h"

namespace brondel::engine {
namespace {

int failure(std::string_view data) {
    return brondel::testing::thrown([&] { io::readVecBuffer(data); }).number;
}

void putU32(std::string& data, std::size_t at, std::uint32_t value) {
    std::memcpy(data.data() + at, &value, sizeof value);
}

// An empty drawing: magic, version, three empty header strings, units, the
// current layer "0", then the table counts from this offset on.
constexpr std::size_t kLayerCountAt = 8 + 4 + 3 * 4 + 4 + 4 + 1;

DrawingContent emptyContent() {
    DrawingContent c;
    c.layers.clear();
    return c;
}

TEST(VecHostile, EveryTruncationFailsAsDamaged) {
    const std::string data = testing::encoded(testing::everyKindContent());
    for (std::size_t size = 0; size < data.size(); ++size) {
        const int number = failure(std::string_view(data).substr(0, size));
        if (size < 8) {
            EXPECT_EQ(number, err::kNotVec) << "cut at " << size;
        } else {
            EXPECT_EQ(number, err::kVecCorrupt) << "cut at " << size;
        }
    }
    EXPECT_EQ(failure(data), 0);
}

TEST(VecHostile, WrongMagicVersionOrTrailingBytesAreNamed) {
    std::string data = testing::encoded(emptyContent());
    ASSERT_EQ(failure(data), 0);
    EXPECT_EQ(failure("AC1015 and other text"), err::kNotVec);
    EXPECT_EQ(failure(data + "x"), err::kVecCorrupt);

    std::string newer = data;
    putU32(newer, 8, io::vec::kVersion + 1);
    EXPECT_EQ(failure(newer), err::kVecVersion);
    putU32(newer, 8, 0);
    EXPECT_EQ(failure(newer), err::kVecVersion);
}

TEST(VecHostile, CountsLargerThanTheFileFailWithoutAllocating) {
    const std::string data = testing::encoded(emptyContent());
    // Layers, line types, styles, property sets, blocks, entities: six counts.
    for (std::size_t table = 0; table < 6; ++table) {
        std::string bad = data;
        putU32(bad, kLayerCountAt + 4 * table, 0xffffffffu);
        EXPECT_EQ(failure(bad), err::kVecCorrupt) << "count " << table;
    }
    std::string longString = data;
    putU32(longString, 12, 0x7fffffffu);
    EXPECT_EQ(failure(longString), err::kVecCorrupt);
}

TEST(VecHostile, BadKindsFlagsAndReferencesAreDamage) {
    DrawingContent c = emptyContent();
    c.entities.emplace_back(PolylineGeom{}, EntityProps{});
    const std::string data = testing::encoded(c);
    ASSERT_EQ(failure(data), 0);
    // The entity is last before the extended data count and the default
    // settings: kind, props index, flags, width, vertex count.
    const std::size_t entityAt =
        data.size() - testing::kDefaultVecSettings - 4 - (1 + 4 + 1 + 8 + 4);

    std::string unknownKind = data;
    unknownKind[entityAt] = 99;
    EXPECT_EQ(failure(unknownKind), err::kVecCorrupt);

    std::string badProps = data;
    putU32(badProps, entityAt + 1, 1);
    EXPECT_EQ(failure(badProps), err::kVecCorrupt);

    std::string badFlags = data;
    badFlags[entityAt + 5] = 0x10;
    EXPECT_EQ(failure(badFlags), err::kVecCorrupt);
}

TEST(VecHostile, ChangedBytesNeverCrash) {
    const std::string data = testing::encoded(testing::everyKindContent());
    for (std::size_t at = 0; at < data.size(); ++at) {
        for (unsigned char value : {0x00, 0x01, 0x7f, 0xff}) {
            std::string changed = data;
            changed[at] = static_cast<char>(value);
            const int number = failure(changed);
            EXPECT_TRUE(number == 0 || number == err::kNotVec || number == err::kVecCorrupt ||
                        number == err::kVecVersion)
                << "byte " << at << " gave " << number;
        }
    }
}

}  // namespace
}  // namespace brondel::engine
