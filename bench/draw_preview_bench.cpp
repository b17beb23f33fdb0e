#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "engine/commands.h"
#include "engine/hatch_boundary.h"
#include "engine/object_snap.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

// A control holding a million short lines spread over a 1000 x 1000 field.
Vecad& millionLines() {
    static Vecad* v = [] {
        auto* made = new Vecad;
        DrawingContent content;
        content.entities.reserve(1000000);
        for (int i = 0; i < 1000000; ++i) {
            const double x = (i % 1000) * 1.0, y = (i / 1000) * 1.0;
            content.entities.emplace_back(LineGeom{{x, y, 0}, {x + 0.7, y + 0.3, 0}});
        }
        made->drawing().load(std::move(content));
        made->view().resize(1200, 800);
        made->view().set({500, 500}, 0.05);
        return made;
    }();
    return *v;
}

// What brings each Draw command to the stage where it shows its preview.
const std::map<int, std::vector<std::string>>& setups() {
    static const std::map<int, std::vector<std::string>> s = {
        {201, {}},
        {205, {"500,500"}},
        {206, {"500,500"}},
        {207, {"500,500"}},
        {208, {"500,500", "510,500"}},
        {209, {"500,500", "510,500", "a"}},
        {210, {"6", "500,500", ""}},
        {211, {"500,500", "510,500"}},
        {212, {"500,500"}},
        {221, {"500,500"}},
        {222, {"500,500"}},
        {223, {"500,500"}},
        {224, {"500,500", "510,500"}},
        {229, {"510,500", "500,510"}},
        {242, {"500,500", "505,505", "510,500"}},
        {245, {"500,500", "2"}},
        {246, {"", "", ""}},
    };
    return s;
}

// One frame under the cursor: the move reaches the command, which builds
// its preview entities (the drawing's own picture is the view's cache).
void BM_PreviewFrame(benchmark::State& state) {
    const int code = static_cast<int>(state.range(0));
    const bool snaps = state.range(1) != 0;
    Vecad& v = millionLines();
    v.SnapPutMode(snaps ? snap::kEndpoint | snap::kMidpoint | snap::kIntersection |
                              snap::kPerpendicular | snap::kNearest
                        : 0);
    v.Execute(code);
    for (const std::string& line : setups().at(code)) {
        v.commandInput(line);
    }
    const Point2 a = v.view().toWindow(503.3, 497.1), b = v.view().toWindow(496.2, 504.4);
    bool flip = false;
    for (auto _ : state) {
        const Point2 at = flip ? a : b;
        flip = !flip;
        v.cursorAt(at.x, at.y);
        benchmark::DoNotOptimize(v.preview().liveCount());
    }
    state.SetLabel(commandName(code));
    v.commandKey(27);
}

void previewArgs(benchmark::internal::Benchmark* b) {
    for (const auto& [code, steps] : setups()) {
        b->Args({code, 0});
    }
    b->Args({205, 1});  // Draw Line with the snaps on
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_PreviewFrame)->Apply(previewArgs);

// The hatch boundary around a point in a drawing of 100,000 entities:
// 25,000 squares of four lines each.
void BM_HatchBoundary(benchmark::State& state) {
    static Drawing* d = [] {
        auto* made = new Drawing;
        DrawingContent content;
        for (int i = 0; i < 25000; ++i) {
            const double x = (i % 200) * 2.0, y = (i / 200) * 2.0;
            const Point3 c[] = {{x, y, 0}, {x + 1, y, 0}, {x + 1, y + 1, 0}, {x, y + 1, 0}};
            for (int k = 0; k < 4; ++k) {
                content.entities.emplace_back(LineGeom{c[k], c[(k + 1) % 4]});
            }
        }
        made->load(std::move(content));
        return made;
    }();
    for (auto _ : state) {
        benchmark::DoNotOptimize(hatchBoundaryAround(*d, {200.5, 100.5}, 1e-6));
    }
    state.SetLabel("100,000 lines");
}
BENCHMARK(BM_HatchBoundary)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brondel::engine
