#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/commands.h"
#include "engine/join.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

constexpr int kSegments = 1000000;

// A closed contour of a million segments round a circle, in shuffled order,
// about half of them drawn backwards.
std::vector<Entity> shuffledContour() {
    std::vector<Entity> lines;
    lines.reserve(kSegments);
    const auto at = [](int i) {
        const double a = kTwoPi * (i % kSegments) / kSegments;
        return Point3{1000 * std::cos(a), 1000 * std::sin(a), 0};
    };
    std::mt19937_64 rng(5);
    for (int i = 0; i < kSegments; ++i) {
        const bool back = rng() % 2 == 0;
        lines.emplace_back(back ? LineGeom{at(i + 1), at(i)} : LineGeom{at(i), at(i + 1)});
    }
    std::shuffle(lines.begin(), lines.end(), rng);
    return lines;
}

void JoinPlanOnly(benchmark::State& state) {
    std::vector<Entity> lines = shuffledContour();
    std::vector<const Entity*> chosen;
    Handle h = 1;
    for (Entity& e : lines) {
        e.handle = h++;
        chosen.push_back(&e);
    }
    for (auto _ : state) {
        const JoinPlan plan = planJoin(chosen, 2000 * 1e-6);
        if (plan.made.size() != 1 || !geomIf<PolylineGeom>(plan.made[0])->closed) {
            state.SkipWithError("the contour did not close");
        }
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(JoinPlanOnly)->Unit(benchmark::kMillisecond);

// The whole command in a drawing window: the selection joined and the
// drawing changed as one undo step.
void JoinCommand(benchmark::State& state) {
    Vecad v;
    DrawingContent content;
    content.entities = shuffledContour();
    v.drawing().load(std::move(content));
    for (auto _ : state) {
        state.PauseTiming();
        Box2 all = v.drawing().extents();
        v.selectInBox(all, false);
        state.ResumeTiming();
        v.Execute(318);
        v.commandKey(13);
        state.PauseTiming();
        if (v.drawing().liveCount() != 1) {
            state.SkipWithError("the contour did not become one polyline");
        }
        v.Execute(command::kUndo);
        state.ResumeTiming();
    }
}
BENCHMARK(JoinCommand)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace brondel::engine
