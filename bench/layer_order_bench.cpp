#include <benchmark/benchmark.h>

#include <random>

#include "engine/layer_order.h"

namespace brondel::engine {
namespace {

// 1,000,000 lines strewn over 50 layers in runs of a few entities, the
// worst case for the look-up of each entity's layer.
void DrawingOrderMillionLines(benchmark::State& state) {
    std::vector<Layer> layers;
    for (int i = 0; i < 50; ++i) {
        layers.push_back(Layer{"Layer " + std::to_string(i)});
    }
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> pick(0, 49), run(1, 4);
    std::vector<Entity> entities;
    entities.reserve(1000000);
    while (entities.size() < 1000000) {
        EntityProps props;
        props.layer = layers[std::size_t(pick(rng))].name;
        for (int k = run(rng); k > 0 && entities.size() < 1000000; --k) {
            entities.emplace_back(LineGeom{{0, 0, 0}, {1, 1, 0}}, props);
        }
    }
    for (auto _ : state) {
        std::vector<std::uint32_t> order = drawingOrder(entities, layers);
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(entities.size()));
}
BENCHMARK(DrawingOrderMillionLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brondel::engine
