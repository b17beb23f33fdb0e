#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/io/drawing_files.h"
#include "tests/support/thrown.h"

namespace brondel::engine::io {
namespace {

using Groups = std::vector<std::pair<int, std::string>>;

std::string file(const char* kind, const Groups& body, bool ended = true) {
    std::string s =
        "0\nSECTION\n2\nHEADER\n9\n$DWGCODEPAGE\n3\nANSI_1252\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\n" +
        std::string(kind) + "\n";
    for (const auto& [code, value] : body) {
        s += std::to_string(code) + "\n" + value + "\n";
    }
    return ended ? s + "0\nLINE\n8\nNext\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDSEC\n0\nEOF\n" : s;
}

struct Read {
    int error = 0;
    std::string message;
    DrawingContent content;
};

Read read(const std::string& data) {
    Read r;
    const testing::Thrown e = testing::thrown([&] { r.content = readDxfBuffer(data); });
    r.error = e.number;
    r.message = e.description;
    return r;
}

// Plain LINE records take a shorter road than other entities; whatever the
// record holds, they must come out as the general reader makes them (it reads
// the same groups under the name 3DLINE).
TEST(DxfPlainLine, ReadsAsTheGeneralRecordDoes) {
    const Groups ends{{10, "1.5"}, {20, "2"}, {30, "0"}, {11, "-4"}, {21, "1e3"}, {31, "0.25"}};
    const auto with = [&](Groups extra, bool before = true) {
        Groups g = before ? extra : ends;
        g.insert(g.end(), (before ? ends : extra).begin(), (before ? ends : extra).end());
        return g;
    };
    const struct {
        const char* name;
        Groups body;
        bool ended = true;
    } cases[] = {
        {"plain", with({{5, "1F"}, {330, "1A"}, {100, "AcDbEntity"}, {8, "Walls"}})},
        {"layer 0 and none", with({{8, "0"}})},
        {"no z", {{8, "A"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}}},
        {"code-page layer", with({{8, "W\xE4nde"}})},
        {"colour, type, weight", with({{8, "A"}, {62, "3"}, {6, "DASHED"}, {370, "50"}})},
        // The next line is on this layer too but in its own style.
        {"same layer, other colour", with({{8, "Next"}, {62, "3"}})},
        {"same layer, other type", with({{8, "Next"}, {6, "DASHED"}})},
        {"same layer, other weight", with({{8, "Next"}, {370, "50"}})},
        {"by layer, by block", with({{6, "ByLayer"}, {62, "0"}, {370, "-1"}})},
        {"colour as a decimal", with({{62, " 7.9"}})},
        {"weight past 16 bits", with({{370, "40000"}})},
        {"colour out of range", with({{62, "3000000000"}})},
        {"colour no number", with({{62, "red"}})},
        {"repeated colour", with({{62, "1"}, {62, "2"}})},
        {"layer after the ends", with({{8, "Late"}}, false)},
        {"repeated end", with({{10, "7"}}, false)},
        {"bad number", {{8, "A"}, {10, "1.5x"}, {20, "2"}}},
        {"extended data", with({{1001, "APP"}, {1000, "note"}}, false)},
        {"paper space", with({{67, "1"}})},
        {"cut short", {{8, "A"}, {10, "1"}, {20, "2"}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Read fast = read(file("LINE", c.body, c.ended));
        const Read general = read(file("3DLINE", c.body, c.ended));
        EXPECT_EQ(fast.error, general.error);
        std::string expected = general.message;  // a cut-short record is named as it was read
        if (const std::size_t at = expected.find("3DLINE"); at != std::string::npos) {
            expected.erase(at, 2);
        }
        EXPECT_EQ(fast.message, expected);
        ASSERT_EQ(fast.content.entities.size(), general.content.entities.size());
        for (std::size_t i = 0; i < fast.content.entities.size(); ++i) {
            const Entity& a = fast.content.entities[i];
            const Entity& b = general.content.entities[i];
            const auto* la = geomIf<LineGeom>(a);
            const auto* lb = geomIf<LineGeom>(b);
            ASSERT_TRUE(la && lb);
            EXPECT_EQ(la->p1, lb->p1);
            EXPECT_EQ(la->p2, lb->p2);
            EXPECT_EQ(a.props(), b.props());
            EXPECT_EQ(a.xdata() != nullptr, b.xdata() != nullptr);
        }
    }
}

// Names kept from one line for the next are decoded again after a header
// that changes the code page.
TEST(DxfPlainLine, ALateHeaderDecodesTheNextLayerNameAfresh) {
    const std::string line = "0\nLINE\n8\n\xC4\n10\n0\n20\n0\n11\n1\n21\n1\n";
    const Read r = read("0\nSECTION\n2\nENTITIES\n" + line +
                        "0\nENDSEC\n0\nSECTION\n2\nHEADER\n9\n$DWGCODEPAGE\n3\nANSI_1251\n"
                        "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" +
                        line + "0\nENDSEC\n0\nEOF\n");
    ASSERT_EQ(r.error, 0) << r.message;
    ASSERT_EQ(r.content.entities.size(), 2u);
    EXPECT_EQ(r.content.entities[1].props().layer, "\xD0\x94");  // Cyrillic De
}

}  // namespace
}  // namespace brondel::engine::io
