#include <benchmark/benchmark.h>

#include <random>

#include "engine/region_selection.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

constexpr int kLines = 1000000;

// A million short lines strewn over a 1000 x 1000 square.
Vecad& strewn() {
    static Vecad* v = [] {
        auto* made = new Vecad;
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> at(0, 1000), step(-1, 1);
        DrawingContent content;
        content.entities.reserve(kLines);
        for (int i = 0; i < kLines; ++i) {
            const double x = at(rng), y = at(rng);
            content.entities.emplace_back(LineGeom{{x, y, 0}, {x + step(rng), y + step(rng), 0}});
        }
        made->drawing().load(std::move(content));
        return made;
    }();
    return *v;
}

// The whole command, as the menu runs it: counting, extents and lines said.
void DrawingInfoOfAMillionLines(benchmark::State& state) {
    Vecad& v = strewn();
    for (auto _ : state) {
        v.Execute(955);
    }
}
BENCHMARK(DrawingInfoOfAMillionLines)->Unit(benchmark::kMillisecond);

// A diamond across the middle of the drawing, window and crossing.
void PolygonSelection(benchmark::State& state) {
    const Drawing& d = strewn().drawing();
    const double r = static_cast<double>(state.range(0));
    const std::vector<Point2> diamond = {
        {500 - r, 500}, {500, 500 - r}, {500 + r, 500}, {500, 500 + r}};
    std::size_t found = 0;
    for (auto _ : state) {
        found = inPolygon(d, diamond, state.range(1) != 0).size();
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(PolygonSelection)
    ->Args({10, 0})
    ->Args({10, 1})
    ->Args({300, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brondel::engine
