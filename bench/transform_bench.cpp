#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/strewn_lines.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

constexpr int kLines = bench::kStrewnLines;

Vecad& strewn() {
    return bench::strewnLines();
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
