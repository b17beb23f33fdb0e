// Link Contours on a plate with holes in a square grid: each hole a circle
// of 32 chords, the plate's edge a rectangle; from 10 to 1,000 holes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "pathtools/link_contours.h"

namespace {

using brondel::engine::Point2;

std::vector<std::vector<Point2>> plate(int holes) {
    const int side = static_cast<int>(std::ceil(std::sqrt(holes)));
    const double pitch = 10;
    std::vector<std::vector<Point2>> rings;
    const double w = side * pitch;
    rings.push_back({{0, 0}, {w, 0}, {w, w}, {0, w}, {0, 0}});
    for (int k = 0; k < holes; ++k) {
        const double cx = (k % side + 0.5) * pitch, cy = (k / side + 0.5) * pitch;
        std::vector<Point2> circle;
        for (int i = 0; i <= 32; ++i) {
            const double a = 2 * std::numbers::pi * (i % 32) / 32;
            circle.push_back({cx + 3 * std::cos(a), cy + 3 * std::sin(a)});
        }
        rings.push_back(std::move(circle));
    }
    return rings;
}

void LinkHoles(benchmark::State& state) {
    const auto rings = plate(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto linked = brondel::pathtools::linkRings(rings, 0, 0, true);
        benchmark::DoNotOptimize(linked.path.data());
        if (!linked.done) {
            state.SkipWithError(linked.message.c_str());
        }
    }
}
BENCHMARK(LinkHoles)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
