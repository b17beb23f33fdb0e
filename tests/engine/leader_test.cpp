// Leaders: the parts they show by their dimension style, the corpus's
// leaders, and Quick Leader. Their DXF and R12 writing is held by the
// every-kind round trip and R12 writer tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

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
        std::vector<std::string> steps;  // after the first point
        std::string text;
    };
    const std::vector<Case> cases = {
        {"with text", {"p 10 10", "p 20 10", "enter", "t Chamfer 1x45"}, "Chamfer 1x45"},
        {"Enter for none", {"p 10 10", "p 20 10", "enter", "enter"}, ""},
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
        s.run(c.steps);
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
