#include "pathtools/link_contours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "coordfiles/dat_commands.h"
#include "pathtools/dat_verify.h"
#include "pathtools/link_command.h"
#include "tests/support/fake_ports.h"

namespace brondel::pathtools {
namespace {

using engine::Point2;
using Rings = std::vector<std::vector<Point2>>;

std::vector<Point2> square(double x, double y, double w, double h) {
    return {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}};
}

double signedArea(const std::vector<Point2>& ring) {
    double sum = 0;
    for (std::size_t i = 1; i < ring.size(); ++i) {
        sum += ring[i - 1].x * ring[i].y - ring[i].x * ring[i - 1].y;
    }
    return sum / 2;
}

// Which ring p lies on, -1 for none.
int ringOf(Point2 p, const Rings& rings) {
    for (std::size_t r = 0; r < rings.size(); ++r) {
        for (std::size_t i = 1; i < rings[r].size(); ++i) {
            const Point2 a = rings[r][i - 1], b = rings[r][i];
            const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
            const double dot = (p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y);
            const double len2 = (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y);
            if (std::fabs(cross) <= 1e-9 * len2 && dot >= -1e-12 && dot <= len2 + 1e-12) {
                return int(r);
            }
        }
    }
    return -1;
}

// Whether segments pq and ab cross at a point inside both.
bool properlyCross(Point2 p, Point2 q, Point2 a, Point2 b) {
    const auto side = [](Point2 o, Point2 u, Point2 v) {
        return (u.x - o.x) * (v.y - o.y) - (u.y - o.y) * (v.x - o.x);
    };
    const double d1 = side(a, b, p), d2 = side(a, b, q), d3 = side(p, q, a), d4 = side(p, q, b);
    return ((d1 > 1e-9 && d2 < -1e-9) || (d1 < -1e-9 && d2 > 1e-9)) &&
           ((d3 > 1e-9 && d4 < -1e-9) || (d3 < -1e-9 && d4 > 1e-9));
}

struct LinkCase {
    const char* name;
    Rings rings;  // ring 0 is the outer one
    bool forward;
    std::size_t holes, leftOut;
};

// The path starts and ends at the start point, runs round every linked
// ring once (holes the other way round from the outer ring), and each
// bridge, cut in and back out, crosses no ring.
TEST(LinkContours, EveryHoleIsReachedOnceByABridgeThatCrossesNothing) {
    const Rings plate{square(0, 0, 100, 60), square(10, 10, 10, 10), square(50, 40, 5, 5),
                      square(80, 5, 8, 30)};
    const std::vector<LinkCase> cases = {
        {"three holes", plate, true, 3, 0},
        {"three holes, cut the other way", plate, false, 3, 0},
        {"holes nearer each other than the edge",
         {square(0, 0, 100, 100), square(40, 48, 5, 4), square(50, 48, 5, 4), square(60, 48, 5, 4)},
         true,
         3,
         0},
        {"an island in a hole and a ring outside are left out",
         {square(0, 0, 100, 60), square(20, 20, 30, 30), square(30, 30, 5, 5),
          square(200, 0, 10, 10)},
         true,
         1,
         2},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.name);
        const LinkedPath linked = linkRings(c.rings, 0, 0, c.forward);
        ASSERT_TRUE(linked.done) << linked.message;
        EXPECT_EQ(linked.holes, c.holes);
        EXPECT_EQ(linked.leftOut, c.leftOut);
        const Point2 start = c.rings[0][c.forward ? 0 : 1];
        EXPECT_EQ(linked.path.front(), start);
        EXPECT_EQ(linked.path.back(), start);

        std::map<int, double> area;  // twice the signed area walked round each ring
        double perimeter = 0, bridges = 0;
        for (std::size_t i = 1; i < linked.path.size(); ++i) {
            const Point2 p = linked.path[i - 1], q = linked.path[i];
            const int rp = ringOf(p, c.rings), rq = ringOf(q, c.rings);
            ASSERT_GE(rp, 0);
            ASSERT_GE(rq, 0);
            const double length = std::hypot(q.x - p.x, q.y - p.y);
            const Point2 middle{(p.x + q.x) / 2, (p.y + q.y) / 2};
            if (rp == rq && ringOf(middle, c.rings) == rp) {
                area[rp] += p.x * q.y - q.x * p.y;
                perimeter += length;
                continue;
            }
            bridges += length;
            for (const auto& ring : c.rings) {
                for (std::size_t k = 1; k < ring.size(); ++k) {
                    EXPECT_FALSE(properlyCross(p, q, ring[k - 1], ring[k]));
                }
            }
        }
        EXPECT_NEAR(bridges, 2 * linked.bridgeLength, 1e-9) << "each bridge in and back out";
        double expectedPerimeter = 0;
        for (const auto& [r, twiceArea] : area) {
            const double ringArea = signedArea(c.rings[std::size_t(r)]);
            EXPECT_NEAR(std::fabs(twiceArea / 2), std::fabs(ringArea), 1e-9) << "ring " << r;
            for (std::size_t k = 1; k < c.rings[std::size_t(r)].size(); ++k) {
                const Point2 a = c.rings[std::size_t(r)][k - 1], b = c.rings[std::size_t(r)][k];
                expectedPerimeter += std::hypot(b.x - a.x, b.y - a.y);
            }
        }
        EXPECT_EQ(area.size(), c.holes + 1) << "every linked ring walked round";
        EXPECT_NEAR(perimeter, expectedPerimeter, 1e-9);
        const double outerWay = area[0];
        EXPECT_EQ(outerWay > 0, c.forward) << "the outer ring runs as the start line does";
        for (const auto& [r, twiceArea] : area) {
            if (r != 0) {
                EXPECT_NE(twiceArea > 0, outerWay > 0) << "hole " << r << " runs the other way";
            }
        }
    }
}

// With a kerf the part keeps its size: the outer ring stands off by half of
// it and the hole stands in; a hole narrower than the kerf is named.
TEST(LinkContours, AKerfMovesTheEdgeOutAndTheHolesIn) {
    const Rings plate{square(0, 0, 100, 60), square(10, 10, 10, 10)};
    const LinkedPath linked = linkRings(plate, 0, 0, true, 1.0);
    ASSERT_TRUE(linked.done) << linked.message;
    double minX = 1e9, maxX = -1e9, holeMinX = 1e9;
    for (const Point2& p : linked.path) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        if (p.x > 5 && p.y > 5 && p.y < 55) {
            holeMinX = std::min(holeMinX, p.x);
        }
    }
    EXPECT_DOUBLE_EQ(minX, -0.5);
    EXPECT_DOUBLE_EQ(maxX, 100.5);
    EXPECT_DOUBLE_EQ(holeMinX, 10.5);
    EXPECT_DOUBLE_EQ(linked.bridgeLength, 10.5 + 0.5) << "from the moved edge to the hole";

    const LinkedPath narrow = linkRings(
        {square(0, 0, 100, 60), square(10, 10, 10, 10), square(50, 10, 0.8, 20)}, 0, 0, true, 1.0);
    EXPECT_FALSE(narrow.done);
    EXPECT_EQ(narrow.message,
              "Hole 2 (at 50, 10): The kerf closes it up: it is nowhere wider than the kerf");
}

// The menu command: the plate becomes one path in the drawing and the list
// as one undo step, and the DAT made from it follows the linked drawing.
TEST(LinkContoursCommand, ThePlateBecomesOnePathAndItsDatFollowsIt) {
    testing::TestProgram program;
    documents::DrawingWindow& window = program.newDrawing();
    engine::Vecad& vecad = window.Vecad1;
    const auto addRing = [&](const std::vector<Point2>& ring) {
        engine::Handle first = engine::kNoHandle;
        for (std::size_t i = 1; i < ring.size(); ++i) {
            const engine::Handle h =
                vecad.AddLine(ring[i - 1].x, ring[i - 1].y, 0, ring[i].x, ring[i].y, 0);
            first = first == engine::kNoHandle ? h : first;
        }
        return first;
    };
    addRing(square(10, 10, 10, 10));
    const engine::Handle start = addRing(square(0, 0, 100, 60));
    addRing(square(60, 20, 10, 20));
    vecad.drawing().add(engine::Entity(engine::CircleGeom{{40, 30, 0}, 5}));  // taken as chords
    vecad.AddLine(0, 80, 0, 10, 80, 0);  // an open contour: left out and said so

    program.main.click("mnuLinkContours");
    EXPECT_EQ(program.dialogs().messages().back().text, kLinkNeedsStartText);
    EXPECT_EQ(vecad.GetNumEntities(), 14);

    program.main.state.startEntity = start;
    const std::optional<LinkCounts> counts = linkContours(window);
    ASSERT_TRUE(counts);
    EXPECT_EQ(counts->holes, 3u);
    EXPECT_EQ(counts->openLinesLeftOut, 1u);
    EXPECT_EQ(window.CList.rows.front(), "0, 0");
    EXPECT_EQ(window.CList.rows.back(), "0, 0");
    EXPECT_EQ(vecad.GetNumEntities(), int(window.CList.rows.size()) - 1);
    EXPECT_EQ(vecad.drawing().undoLabel(), kLinkTitle);

    coordfiles::convertCoordinateList(window);
    EXPECT_NE(savedDatCheckText(vecad, window.DList.rows).find("follows the drawing"),
              std::string::npos)
        << savedDatCheckText(vecad, window.DList.rows);

    vecad.drawing().undo();
    EXPECT_EQ(vecad.GetNumEntities(), 14) << "one step takes it back";
}

}  // namespace
}  // namespace brondel::pathtools
