#include "pathtools/drawing_check.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <numbers>
#include <numeric>

#include "base/error.h"
#include "engine/cad.h"
#include "engine/entity_type.h"
#include "tests/support/fake_ports.h"

namespace brondel::pathtools {
namespace {

using engine::Handle;

TEST(DrawingCheck, FindsContoursGapsRepeatsAndWhatIsNoPath) {
    engine::Vecad v;
    // 0: a 100 x 100 plate, drawn against itself in places.
    v.AddLine(0, 0, 0, 100, 0, 0);
    v.AddLine(100, 100, 0, 100, 0, 0);
    v.AddLine(100, 100, 0, 0, 100, 0);
    v.AddLine(0, 0, 0, 0, 100, 0);
    // 1: a round hole in it.
    v.drawing().add(engine::Entity(engine::CircleGeom{{50, 50, 0}, 10}));
    // 2: an open chain whose ends lie 0.5 apart: a gap, and what closes it.
    v.AddLine(20, 20, 0, 30, 20, 0);
    v.AddLine(30, 20, 0, 30, 30, 0);
    v.AddLine(30, 30, 0, 20, 20.5, 0);
    // A bottom side drawn again, a line lying along the right side, a line of
    // no length on its own, and a text.
    v.AddLine(100, 0, 0, 0, 0, 0);
    v.AddLine(100, 10, 0, 100, 60, 0);
    v.AddLine(70, 70, 0, 70, 70, 0);
    v.AddText("rib", 5, 5, 0, 0, 1, 1.0, 0, 0);

    const DrawingCheck check = checkDrawing(v, 0.01);
    ASSERT_EQ(check.contours.size(), 5u);
    const CheckedContour& plate = check.contours[0];
    EXPECT_TRUE(plate.closed);
    EXPECT_EQ(plate.segments, 5u);
    EXPECT_DOUBLE_EQ(plate.length, 500);
    EXPECT_EQ(plate.box.minX, 0);
    EXPECT_EQ(plate.box.maxY, 100);
    EXPECT_FALSE(plate.inside.has_value());
    const CheckedContour& hole = check.contours[1];
    EXPECT_TRUE(hole.closed);
    EXPECT_EQ(hole.segments, 1u);
    EXPECT_DOUBLE_EQ(hole.length, 20 * std::numbers::pi);
    EXPECT_EQ(hole.inside, 0u);
    const CheckedContour& chain = check.contours[2];
    EXPECT_FALSE(chain.closed);
    EXPECT_FALSE(chain.inside.has_value()) << "only closed contours are placed";
    EXPECT_EQ(chain.closingRadius, 0.51);
    EXPECT_FALSE(check.contours[3].closed) << "the line along the side meets no end";
    EXPECT_EQ(check.contours[3].closingRadius, 51);
    EXPECT_TRUE(check.contours[4].closed) << "a line of no length is a loop of its own";
    EXPECT_EQ(check.contours[4].inside, 0u);
    ASSERT_EQ(check.gaps.size(), 1u);
    EXPECT_EQ(check.gaps[0].at.y, 20);
    EXPECT_EQ(check.gaps[0].to.y, 20.5);
    EXPECT_DOUBLE_EQ(check.gaps[0].width, 0.5);
    EXPECT_EQ(check.duplicates, 2u);
    EXPECT_EQ(check.zeroLength, 1u);
    EXPECT_EQ(check.notPaths, (std::map<std::string, std::size_t>{{"TEXT", 1}}));
    EXPECT_EQ(checkReportLines(check).front(),
              "Contours: 5 (3 closed, 2 open); gaps: 1; duplicates: 2; zero-length: 1");

    // A radius over the gap closes the chain, which lies in the plate; the
    // ends of the line along the side now lie within reach of the corners.
    const DrawingCheck wide = checkDrawing(v, 0.6);
    EXPECT_TRUE(wide.contours[2].closed);
    EXPECT_EQ(wide.contours[2].inside, 0u);
    ASSERT_EQ(wide.gaps.size(), 2u);
    EXPECT_EQ(wide.gaps[0].width, 10);
    EXPECT_DOUBLE_EQ(wide.gaps[1].width, std::sqrt(1000.0));  // to the line of no length
}

// The number of contours of every corpus drawing, against a count made here
// without the check's grid: every pair of path ends within the radius joined.
class CorpusCheck : public ::testing::TestWithParam<std::string> {};

int countContours(engine::Vecad& v, double radius) {
    struct End {
        double x, y;
        int piece;
    };
    std::vector<End> ends;
    int pieces = 0;
    for (Handle h = v.GetFirstEntity(); h != engine::kNoHandle; h = v.GetNextEntity(h)) {
        const auto type = static_cast<engine::EntityType>(v.EntityGetType(h));
        if (type != engine::EntityType::Line && type != engine::EntityType::Arc &&
            type != engine::EntityType::Circle) {
            continue;
        }
        double x, y, z;
        engine::CadLineGetPoint1(h, x, y, z);
        ends.push_back({x, y, pieces});
        engine::CadLineGetPoint2(h, x, y, z);
        ends.push_back({x, y, pieces});
        ++pieces;
    }
    std::vector<int> parent(static_cast<std::size_t>(pieces));
    std::iota(parent.begin(), parent.end(), 0);
    const auto find = [&](int i) {
        while (parent[std::size_t(i)] != i) {
            i = parent[std::size_t(i)];
        }
        return i;
    };
    for (std::size_t a = 0; a < ends.size(); ++a) {
        for (std::size_t b = a + 1; b < ends.size(); ++b) {
            if (std::hypot(ends[a].x - ends[b].x, ends[a].y - ends[b].y) <= radius) {
                parent[std::size_t(find(ends[a].piece))] = find(ends[b].piece);
            }
        }
    }
    int roots = 0;
    for (int i = 0; i < pieces; ++i) {
        roots += find(i) == i ? 1 : 0;
    }
    return roots;
}

TEST_P(CorpusCheck, CountsTheContoursAUnionFindCounts) {
    const std::string file = GetParam();
    testing::TempFolder folder;
    const std::string command = std::string("'") + BRONDEL_CLI + "' check '" + file +
                                "' --json > '" + folder.file("out") + "' 2>/dev/null";
    const int status = std::system(command.c_str());
    engine::Vecad v;
    try {
        v.FileOpen(file);
    } catch (const Error&) {
        EXPECT_EQ(WEXITSTATUS(status), 1) << "a file the engine cannot read is refused";
        return;
    }
    ASSERT_EQ(WEXITSTATUS(status), 0);
    for (int pass = 0; pass < 3; ++pass) {
        for (Handle h = v.GetFirstEntity(); h != engine::kNoHandle; h = v.GetNextEntity(h)) {
            v.SelectEntity(h, true);
        }
        v.SelExplode();
        v.Purge(3);
        v.SelClear();
    }
    std::ifstream in(folder.file("out"));
    const auto j = nlohmann::json::parse(in);
    EXPECT_EQ(j["contours"].size(), std::size_t(countContours(v, 0.01)));
    for (const auto& contour : j["contours"]) {
        if (contour["closed"].get<bool>()) {
            EXPECT_TRUE(contour["closingRadius"].is_null());
        }
    }
}

std::vector<std::string> corpusDrawings() {
    std::vector<std::string> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(BRONDEL_CORPUS_DIR) + "/dxf")) {
        files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusCheck, ::testing::ValuesIn(corpusDrawings()),
                         [](const auto& test) {
                             std::string name = std::filesystem::path(test.param).stem().string();
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace brondel::pathtools
