#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/drawing.h"

namespace brondel::engine {
namespace {

constexpr int kLines = 1000000;

// One closed wavy contour cut at random places into a million lines, the
// lines in random drawing order, as a reorganization walk meets them.
struct Contour {
    Drawing drawing;
    std::vector<Point2> ends;      // in drawing order (random along the contour)
    std::vector<Point2> pathEnds;  // in order along the contour, as a walk asks

    Contour() {
        std::mt19937_64 rng(9);
        std::uniform_real_distribution<double> u(0, kTwoPi);
        std::vector<double> cuts(kLines);
        for (double& t : cuts) {
            t = u(rng);
        }
        std::sort(cuts.begin(), cuts.end());
        auto at = [](double t) {
            const double r = 1000 * (1 + 0.3 * std::sin(7 * t));
            return Point3{r * std::cos(t), r * std::sin(t), 0};
        };
        DrawingContent content;
        content.entities.reserve(kLines);
        for (int i = 0; i < kLines; ++i) {
            content.entities.emplace_back(LineGeom{at(cuts[i]), at(cuts[(i + 1) % kLines])});
        }
        for (const Entity& e : content.entities) {
            const auto& l = *geomIf<LineGeom>(e);
            pathEnds.push_back({l.p2.x, l.p2.y});
        }
        std::shuffle(content.entities.begin(), content.entities.end(), rng);
        for (const Entity& e : content.entities) {
            const auto& l = *geomIf<LineGeom>(e);
            ends.push_back({l.p2.x, l.p2.y});
        }
        drawing.load(std::move(content));
    }
};

const Contour& contour() {
    static const Contour c;
    return c;
}

void queryAll(benchmark::State& state, const std::vector<Point2>& points) {
    const Contour& c = contour();
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const Point2& p = points[i];
        const std::vector<Handle> hs = c.drawing.within(p.x, p.y, 0.01);
        found += hs.size();
        benchmark::DoNotOptimize(hs.data());
        if (++i == points.size()) {
            i = 0;
        }
    }
    state.counters["found/query"] = double(found) / double(state.iterations());
}

// The walk's form: the found entities with a line's ends, into one buffer.
void queryAllNearby(benchmark::State& state, const std::vector<Point2>& points) {
    const Contour& c = contour();
    std::vector<Drawing::Nearby> nearby;
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        const Point2& p = points[i];
        c.drawing.within(p.x, p.y, 0.01, nearby);
        found += nearby.size();
        benchmark::DoNotOptimize(nearby.data());
        if (++i == points.size()) {
            i = 0;
        }
    }
    state.counters["found/query"] = double(found) / double(state.iterations());
}

void NearbyAtLineEnds(benchmark::State& state) {
    queryAllNearby(state, contour().ends);
}
BENCHMARK(NearbyAtLineEnds)->Iterations(1000000)->Unit(benchmark::kNanosecond);

void NearbyAlongThePath(benchmark::State& state) {
    queryAllNearby(state, contour().pathEnds);
}
BENCHMARK(NearbyAlongThePath)->Iterations(1000000)->Unit(benchmark::kNanosecond);

void WithinAtLineEnds(benchmark::State& state) {
    queryAll(state, contour().ends);
}
BENCHMARK(WithinAtLineEnds)->Iterations(1000000)->Unit(benchmark::kNanosecond);

void WithinAlongThePath(benchmark::State& state) {
    queryAll(state, contour().pathEnds);
}
BENCHMARK(WithinAlongThePath)->Iterations(1000000)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace brondel::engine
