#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "engine/explode.h"
#include "engine/tables.h"

namespace brondel::engine {
namespace {

struct NoBlocks : BlockLookup {
    const Block* findBlock(const std::string&) const override { return nullptr; }
};

// 100,000 closed polylines of 8 vertices, half of their segments bulged.
std::vector<Entity> polylines() {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(-1, 1);
    std::vector<Entity> out;
    out.reserve(100000);
    for (int i = 0; i < 100000; ++i) {
        PolylineGeom pl;
        pl.closed = true;
        const double cx = u(rng) * 1000, cy = u(rng) * 1000;
        for (int k = 0; k < 8; ++k) {
            const double a = kTwoPi * k / 8;
            pl.vertices.push_back(
                {cx + 10 * std::cos(a), cy + 10 * std::sin(a), 0, k % 2 ? u(rng) : 0.0});
        }
        out.emplace_back(std::move(pl));
    }
    return out;
}

void ExplodePolylines(benchmark::State& state) {
    const std::vector<Entity> input = polylines();
    const NoBlocks blocks;
    std::size_t parts = 0;
    for (auto _ : state) {
        parts = 0;
        for (const Entity& e : input) {
            std::vector<Entity> p = explodeEntity(e, blocks, 0.01);
            parts += p.size();
            benchmark::DoNotOptimize(p.data());
        }
    }
    state.counters["parts"] = double(parts);
    state.SetItemsProcessed(state.iterations() * std::int64_t(input.size()));
}
BENCHMARK(ExplodePolylines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brondel::engine
