#include <benchmark/benchmark.h>

#include <random>

#include "engine/vecad.h"

namespace brondel::engine {
namespace {

constexpr int kSide = 224;  // 224 * 224 crosses of two lines: 100,352 entities

// Small crosses on a grid, one unit apart; each arm is 0.8 long.
Vecad& crosses() {
    static Vecad* v = [] {
        auto* made = new Vecad;
        DrawingContent content;
        for (int i = 0; i < kSide; ++i) {
            for (int j = 0; j < kSide; ++j) {
                const double x = i, y = j;
                content.entities.emplace_back(LineGeom{{x - 0.4, y, 0}, {x + 0.4, y, 0}});
                content.entities.emplace_back(LineGeom{{x, y - 0.4, 0}, {x, y + 0.4, 0}});
            }
        }
        made->drawing().load(std::move(content));
        made->view().set({kSide / 2.0, kSide / 2.0}, 0.01);
        return made;
    }();
    return *v;
}

// One press of Trim (every entity a cutting edge) on the arm of a cross,
// with the preview that follows it; the command is cancelled between presses
// so that each finds the drawing as it was.
void TrimPress(benchmark::State& state) {
    Vecad& v = crosses();
    std::mt19937_64 rng(9);
    std::uniform_int_distribution<int> cell(0, kSide - 1);
    for (auto _ : state) {
        state.PauseTiming();
        v.Execute(319);
        v.commandKey(13);
        const double x = cell(rng) + 0.2, y = cell(rng);
        v.view().set({x, y}, 0.01);
        const Point2 w = v.view().toWindow(x, y);
        state.ResumeTiming();
        v.pressAt(w.x, w.y, false);
        state.PauseTiming();
        v.commandKey(27);
        state.ResumeTiming();
    }
    state.counters["entities"] = double(v.drawing().liveCount());
}
BENCHMARK(TrimPress)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brondel::engine
