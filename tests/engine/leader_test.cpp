// Leaders: the parts they show by their dimension style, DXF with the
// annotation as the MTEXT the leader names (and R12 without LEADER), the
// corpus's leaders, and Quick Leader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "engine/leader.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

namespace fs = std::filesystem;

class NoBlocks : public BlockLookup {
  public:
    explicit NoBlocks(DimStyle style) : style_(std::move(style)) {}
    const Block* findBlock(const std::string&) const override { return nullptr; }
    const DimStyle* findDimStyle(const std::string& name) const override {
        return namesDimStyle(style_, name) ? &style_ : nullptr;
    }

  private:
    DimStyle style_;
};

std::size_t countOf(const std::vector<Entity>& list, EntityType t) {
    return std::size_t(
        std::count_if(list.begin(), list.end(), [&](const Entity& e) { return e.type() == t; }));
}

TEST(Leader, PartsAreSegmentsAnArrowOfTheStyleAndTheText) {
    struct Case {
        const char* name;
        bool arrowhead;
        std::string style;  // the leader's; the drawing holds "BIG"
        std::string text;
        std::size_t solids, texts;
        double arrowLength;
    };
    const std::vector<Case> cases = {
        {"own style", true, "big", "Note", 1, 1, 4 * 2},
        {"unknown style takes the default", true, "OTHER", "", 1, 0, 2.5},
        {"no arrowhead", false, "BIG", "A", 0, 1, 0},
    };
    DimStyle big;
    big.name = "BIG";
    big.arrowSize = 4;
    big.scale = 2;
    const NoBlocks blocks(big);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LeaderGeom g = makeLeader({{0, 0, 0}, {0, 0, 0}, {30, 40, 0}, {50, 40, 0}}, c.text, big);
        g.style = c.style;
        g.arrowhead = c.arrowhead;
        const std::vector<Entity> parts = leaderParts(g, blocks);
        EXPECT_EQ(countOf(parts, EntityType::Line), 2u);
        EXPECT_EQ(countOf(parts, EntityType::Solid), c.solids);
        EXPECT_EQ(countOf(parts, EntityType::MText), c.texts);
        for (const Entity& part : parts) {
            if (const auto* s = geomIf<SolidGeom>(part)) {
                // The tip on the first vertex, the base along the first real segment.
                EXPECT_EQ(s->corners[0], (Point3{0, 0, 0}));
                const double bx = (s->corners[1].x + s->corners[2].x) / 2;
                const double by = (s->corners[1].y + s->corners[2].y) / 2;
                EXPECT_NEAR(std::hypot(bx, by), c.arrowLength, 1e-12);
                EXPECT_NEAR(by / bx, 40.0 / 30.0, 1e-12);
            }
        }
        // The box holds the arrow, the segments and the text right of the end.
        Entity e(g);
        const Box2 box = boundingBox(e, blocks);
        EXPECT_LE(box.minX, 0);
        EXPECT_EQ(box.maxX > 50, !c.text.empty());
        EXPECT_NEAR(distanceTo(e, 15, 20, blocks), 0, 1e-9);
    }
    // The text stands beside the last point, on the side the leader ends towards.
    const LeaderGeom left = makeLeader({{10, 0, 0}, {0, 5, 0}}, "L", big);
    EXPECT_LT(left.annotation.p.x, 0);
    EXPECT_EQ(left.annotation.attachment, 6);
    EXPECT_DOUBLE_EQ(left.annotation.height, big.textHeight * 2);
}

class LeaderFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("brondel_leader_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(LeaderFiles, DxfKeepsTheLeaderWithItsTextAndR12ItsParts) {
    DrawingContent c;
    LeaderGeom noted = makeLeader({{0, 0, 0}, {5, 5, 0}, {9, 5, 0}}, "Bore\\P2 places", DimStyle{});
    LeaderGeom bare = makeLeader({{20, 0, 1}, {22, 3, 1}}, "", DimStyle{});
    bare.arrowhead = false;
    c.entities.emplace_back(noted);
    c.entities.emplace_back(bare);
    c.entities.emplace_back(MTextGeom{});  // a text of its own stays one
    Drawing d;
    d.load(c);
    struct Case {
        io::DxfVersion version;
        std::size_t leaders, mtexts, lines, solids;
    };
    for (const Case& k :
         {Case{io::DxfVersion::R2000, 2, 1, 0, 0}, Case{io::DxfVersion::R12, 0, 0, 3, 1}}) {
        SCOPED_TRACE(k.version == io::DxfVersion::R12 ? "R12" : "2000");
        const std::string path = (folder_ / "leader.dxf").string();
        io::WriteOptions options;
        options.dxfVersion = k.version;
        io::writeDxf(d, path, {}, options);
        const DrawingContent back = io::readDxf(path);
        EXPECT_EQ(countOf(back.entities, EntityType::Leader), k.leaders);
        EXPECT_EQ(countOf(back.entities, EntityType::MText), k.mtexts);
        EXPECT_EQ(countOf(back.entities, EntityType::Line), k.lines);
        EXPECT_EQ(countOf(back.entities, EntityType::Solid), k.solids);
        if (k.leaders == 0) {
            continue;
        }
        const auto* first = geomIf<LeaderGeom>(back.entities[0]);
        const auto* second = geomIf<LeaderGeom>(back.entities[1]);
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->vertices, noted.vertices);
        EXPECT_TRUE(first->arrowhead);
        EXPECT_EQ(first->annotation.text, noted.annotation.text);
        EXPECT_EQ(first->annotation.p, noted.annotation.p);
        EXPECT_EQ(first->annotation.attachment, noted.annotation.attachment);
        EXPECT_EQ(second->vertices, bare.vertices);
        EXPECT_FALSE(second->arrowhead);
        EXPECT_EQ(second->annotation.text, "");
    }
}

TEST(LeaderCorpus, LeadersTakeTheTextsTheyNameAndEmptyOnesAreSkipped) {
    const fs::path dir = fs::path(BRONDEL_CORPUS_DIR) / "dxf";
    io::ReadReport report;
    const DrawingContent net = io::readDxf((dir / "netdxf_sample.dxf").string(), &report);
    std::size_t annotated = 0;
    for (const Entity& e : net.entities) {
        if (const auto* g = geomIf<LeaderGeom>(e)) {
            EXPECT_GE(g->vertices.size(), 2u);
            annotated += g->annotation.text.empty() ? 0 : 1;
        }
    }
    EXPECT_GE(annotated, 1u);
    // Each folded text is one MTEXT fewer than the file holds.
    EXPECT_EQ(countOf(net.entities, EntityType::MText) + annotated, report.counts["MTEXT"]);

    io::ReadReport empty;
    io::readDxf((dir / "librecad_dim_sample.dxf").string(), &empty);
    EXPECT_EQ(empty.skipped["LEADER"], 2u);  // no vertices at all
}

TEST(QuickLeader, DrawsWithTheDrawingStyleAndAnOptionalText) {
    struct Case {
        const char* name;
        std::vector<std::string> typed;  // after the points; "" is Enter
        std::string text;
    };
    const std::vector<Case> cases = {
        {"with text", {"", "Chamfer 1x45"}, "Chamfer 1x45"},
        {"Enter for none", {"", ""}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::VecadSession s;
        DrawingContent content;
        content.header.dimStyle.arrowSize = 7;
        s.v.drawing().load(content);
        s.v.Execute(247);
        s.press(0, 0);
        s.v.commandKey(13);  // one point is not a leader yet
        EXPECT_TRUE(s.v.commandRunning());
        s.press(10, 10);
        s.press(20, 10);
        for (const std::string& line : c.typed) {
            if (line.empty()) {
                s.v.commandKey(13);
            } else {
                s.v.commandInput(line);
            }
        }
        EXPECT_FALSE(s.v.commandRunning());
        ASSERT_EQ(s.entities(), 1);
        const Entity& e = s.v.drawing().entity(s.v.drawing().firstLive());
        const auto* g = geomIf<LeaderGeom>(e);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->vertices.size(), 3u);
        EXPECT_EQ(g->annotation.text, c.text);
        EXPECT_DOUBLE_EQ(leaderArrowSize(*g, s.v.drawing()), 7);
    }
}

}  // namespace
}  // namespace brondel::engine
