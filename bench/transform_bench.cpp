#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "engine/vecad.h"

namespace brondel::engine {
namespace {

constexpr int kLines = 1000000;

// A million short lines strewn over a 1000 x 1000 square.
Vecad& strewn() {
    static Vecad* v = [] {
        auto* made = new Vecad;
        std::mt19937_64 rng(11);
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

void selectEverything(Vecad& v) {
    Box2 box;
    box.add(-1e6, -1e6);
    box.add(1e6, 1e6);
    v.selectInBox(box, true);
}

// The command on every line as one step, then that step undone: the
// selecting is left out of the time.
void transformAndUndo(benchmark::State& state, int code, const std::vector<std::string>& input) {
    Vecad& v = strewn();
    for (auto _ : state) {
        state.PauseTiming();
        selectEverything(v);
        state.ResumeTiming();
        v.Execute(code);
        for (const std::string& line : input) {
            v.commandInput(line);
        }
        v.Execute(301);
    }
    state.counters["lines"] = kLines;
}

void MoveMillionLinesAndUndo(benchmark::State& state) {
    transformAndUndo(state, 313, {"0,0", "10,5"});
}
BENCHMARK(MoveMillionLinesAndUndo)->Unit(benchmark::kMillisecond)->Iterations(3);

void RotateMillionLinesAndUndo(benchmark::State& state) {
    transformAndUndo(state, 314, {"500,500", "30"});
}
BENCHMARK(RotateMillionLinesAndUndo)->Unit(benchmark::kMillisecond)->Iterations(3);

// The command alone, without its undo.
void MoveMillionLines(benchmark::State& state) {
    Vecad& v = strewn();
    for (auto _ : state) {
        state.PauseTiming();
        selectEverything(v);
        state.ResumeTiming();
        v.Execute(313);
        v.commandInput("0,0");
        v.commandInput("1,1");
    }
}
BENCHMARK(MoveMillionLines)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace brondel::engine
