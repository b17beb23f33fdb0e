#include <benchmark/benchmark.h>

#include <random>

#include "bench/strewn_lines.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

constexpr int kLines = bench::kStrewnLines;

Vecad& strewn() {
    return bench::strewnLines();
}

void selectBox(benchmark::State& state, double size, bool crossing) {
    Vecad& v = strewn();
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> at(0, 1000 - size);
    std::size_t found = 0;
    for (auto _ : state) {
        const double x = at(rng), y = at(rng);
        Box2 box;
        box.add(x, y);
        box.add(x + size, y + size);
        v.SelClear();
        found += std::size_t(v.selectInBox(box, crossing));
    }
    state.counters["selected/query"] = double(found) / double(state.iterations());
}

void SmallWindow(benchmark::State& state) {
    selectBox(state, 10, false);
}
BENCHMARK(SmallWindow)->Unit(benchmark::kMicrosecond);

void SmallCrossing(benchmark::State& state) {
    selectBox(state, 10, true);
}
BENCHMARK(SmallCrossing)->Unit(benchmark::kMicrosecond);

void WholeDrawingCrossing(benchmark::State& state) {
    Vecad& v = strewn();
    Box2 box;
    box.add(-10, -10);
    box.add(1010, 1010);
    for (auto _ : state) {
        v.SelClear();
        benchmark::DoNotOptimize(v.selectInBox(box, true));
    }
}
BENCHMARK(WholeDrawingCrossing)->Unit(benchmark::kMillisecond)->Iterations(3);

// Select everything, erase it as one step, undo: a million entities each way.
void EraseEverythingAndUndo(benchmark::State& state) {
    Vecad& v = strewn();
    Box2 box;
    box.add(-10, -10);
    box.add(1010, 1010);
    for (auto _ : state) {
        v.selectInBox(box, true);
        v.Execute(311);
        v.Execute(301);
    }
}
BENCHMARK(EraseEverythingAndUndo)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace brondel::engine
