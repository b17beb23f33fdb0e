#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/drawing.h"

// Drawing::within against the plain answer: every live entity whose
// distance is within the radius, in drawing order.
namespace brondel::engine {
namespace {

std::vector<Handle> bruteForce(const Drawing& d, double x, double y, double r) {
    std::vector<Handle> out;
    for (const Entity& e : d.entities()) {
        if (!e.erased && distanceTo(e, x, y, d) <= r) {
            out.push_back(e.handle);
        }
    }
    return out;
}

class RandomDrawing {
  public:
    explicit RandomDrawing(unsigned seed) : rng_(seed) {}

    double uniform(double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(rng_);
    }
    double logUniform(double a, double b) { return std::exp(uniform(std::log(a), std::log(b))); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Mostly near the origin, some far out where cells are tiny in
    // comparison.
    double coord() { return pick(10) == 0 ? uniform(-2e6, 2e6) : uniform(-1000, 1000); }
    double size() { return logUniform(1e-7, 1e4); }

    Entity entity() {
        const double x = coord(), y = coord();
        switch (pick(4)) {
            case 0: {
                if (pick(10) == 0) {
                    return Entity(LineGeom{{x, y, 0}, {x, y, 0}});
                }
                const double len = size(),
                             a = pick(4) == 0 ? kPi / 2 * pick(4) : uniform(0, kTwoPi);
                return Entity(
                    LineGeom{{x, y, 0}, {x + len * std::cos(a), y + len * std::sin(a), 0}});
            }
            case 1:
                return Entity(
                    ArcGeom{{x, y, 0}, size(), uniform(-kPi, kPi), uniform(-kTwoPi, kTwoPi)});
            case 2: {
                PolylineGeom pl;
                const double s = size();
                const int n = 2 + pick(5);
                for (int i = 0; i < n; ++i) {
                    pl.vertices.push_back(
                        {x + uniform(-s, s), y + uniform(-s, s), 0, pick(2) ? uniform(-2, 2) : 0});
                }
                pl.closed = pick(2) == 0;
                return Entity(pl);
            }
            default:
                return Entity(PointGeom{{x, y, 0}});
        }
    }

    // A query point exactly r away from a point of the entity, along an
    // axis or along an arc's radius, so that the entity sits on the edge.
    void edgeQuery(const Entity& e, double r, double& x, double& y) {
        double px = 0, py = 0;
        if (const auto* l = geomIf<LineGeom>(e)) {
            px = pick(2) ? l->p1.x : l->p2.x;
            py = pick(2) ? l->p1.y : l->p2.y;
        } else if (const auto* a = geomIf<ArcGeom>(e)) {
            const double t = a->startAngle + a->angle * uniform(0, 1);
            x = a->center.x + (a->radius + r) * std::cos(t);
            y = a->center.y + (a->radius + r) * std::sin(t);
            return;
        } else if (const auto* pl = geomIf<PolylineGeom>(e)) {
            const Vertex& v = pl->vertices[std::size_t(pick(int(pl->vertices.size())))];
            px = v.x;
            py = v.y;
        } else if (const auto* p = geomIf<PointGeom>(e)) {
            px = p->p.x;
            py = p->p.y;
        }
        const int dir = pick(4);
        x = px + (dir == 0 ? r : dir == 1 ? -r : 0);
        y = py + (dir == 2 ? r : dir == 3 ? -r : 0);
    }

  private:
    std::mt19937_64 rng_;
};

void checkQueries(const Drawing& d, RandomDrawing& rnd, int count) {
    const auto& all = d.entities();
    for (int q = 0; q < count; ++q) {
        double x, y, r;
        if (q % 2 == 0 && !all.empty()) {
            r = rnd.logUniform(1e-6, 10);
            rnd.edgeQuery(all[std::size_t(rnd.pick(int(all.size())))], r, x, y);
        } else {
            x = rnd.coord();
            y = rnd.coord();
            r = rnd.logUniform(1e-6, 1e4);
        }
        ASSERT_EQ(d.within(x, y, r), bruteForce(d, x, y, r))
            << "query " << q << " at " << x << ", " << y << " radius " << r;
    }
}

TEST(SelectByDist, MatchesBruteForceThroughEraseUndoReplaceAndPurge) {
    for (unsigned seed : {1u, 2u, 3u}) {
        RandomDrawing rnd(seed);
        Drawing d;
        std::vector<Handle> handles;
        for (int i = 0; i < 1500; ++i) {
            handles.push_back(d.add(rnd.entity()));
        }
        checkQueries(d, rnd, 1500);

        {
            Drawing::Step step(d, "Erase");
            for (Handle h : handles) {
                if (rnd.pick(4) == 0) {
                    d.setErased(h, true);
                }
            }
        }
        checkQueries(d, rnd, 600);
        d.undo();
        checkQueries(d, rnd, 600);
        d.redo();

        for (int i = 0; i < 200; ++i) {
            d.replace(handles[std::size_t(rnd.pick(int(handles.size())))], rnd.entity());
        }
        checkQueries(d, rnd, 600);

        d.purgeErased();
        checkQueries(d, rnd, 600);
        d.undo();  // purge back
        d.undo();  // one replacement back
        checkQueries(d, rnd, 600);
        d.purgeAll();
        checkQueries(d, rnd, 50);
        d.undo();
        checkQueries(d, rnd, 600);
    }
}

// A loaded drawing and entities added many at once build the index in one
// pass, laid out apart from the entry-by-entry road.
TEST(SelectByDist, MatchesBruteForceWhenTheIndexIsBuiltInBulk) {
    for (unsigned seed : {4u, 5u}) {
        RandomDrawing rnd(seed);
        DrawingContent content;
        for (int i = 0; i < 1500; ++i) {
            content.entities.push_back(rnd.entity());
        }
        Drawing d;
        d.load(std::move(content));
        checkQueries(d, rnd, 1500);

        const Handle first = d.entities().front().handle;
        d.setErased(first, true);
        checkQueries(d, rnd, 300);

        std::vector<Entity> more;
        for (int i = 0; i < 500; ++i) {
            more.push_back(rnd.entity());
        }
        d.addMany(std::move(more));
        checkQueries(d, rnd, 600);
    }
}

TEST(SelectByDist, RadiusZeroAndNegativeAndTouchingEnds) {
    Drawing d;
    const Handle a = d.add(Entity(LineGeom{{0, 0, 0}, {1, 0, 0}}));
    const Handle b = d.add(Entity(LineGeom{{1, 0, 0}, {2, 0, 0}}));
    const Handle c = d.add(Entity(PointGeom{{1, 0.5, 0}}));
    EXPECT_EQ(d.within(1, 0, 0), (std::vector<Handle>{a, b}));
    EXPECT_EQ(d.within(1, 0, 0.5), (std::vector<Handle>{a, b, c}));
    EXPECT_TRUE(d.within(1, 0, -1).empty());
    EXPECT_TRUE(d.within(1, 0, NAN).empty());
}

// A box whose computed width rounds down to a power of two while its ends
// lie in cells two apart (other boxes of that size fill enough cells for
// the query to walk cells rather than the level's list).
TEST(SelectByDist, BoxWiderThanItsCellByRounding) {
    Drawing d;
    const Handle h = d.add(Entity(LineGeom{{4 - std::ldexp(1.0, -51), 0, 0}, {8, 0, 0}}));
    for (int i = 0; i < 100; ++i) {
        d.add(Entity(LineGeom{{100.0 + 10 * i, 100, 0}, {103.0 + 10 * i, 100, 0}}));
    }
    EXPECT_EQ(bruteForce(d, 8.5, 0, 0.5), (std::vector<Handle>{h}));
    EXPECT_EQ(d.within(8.5, 0, 0.5), (std::vector<Handle>{h}));
}

}  // namespace
}  // namespace brondel::engine
