#include <benchmark/benchmark.h>

#include "bench/strewn_lines.h"
#include "engine/region_selection.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

constexpr int kLines = bench::kStrewnLines;

Vecad& strewn() {
    return bench::strewnLines();
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
