// Check Drawing and the DAT check on one closed contour of 10,000, 100,000
// and 1,000,000 unit segments, loaded in a shuffled order with every other
// direction turned at random; the DAT steps are the contour's corners in
// order, normalized and written to 4 decimals as the conversion writes them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "engine/vecad.h"
#include "pathtools/dat_verify.h"
#include "pathtools/drawing_check.h"

namespace {

using namespace brondel;

engine::Point2 corner(int i, int n) {
    const double radius = n / (2 * std::numbers::pi);
    const double a = 2 * std::numbers::pi * (i % n) / n;
    return {radius * std::cos(a), radius * std::sin(a)};
}

void loadShuffledContour(engine::Vecad& vecad, int n, unsigned seed) {
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::mt19937 random(seed);
    std::shuffle(order.begin(), order.end(), random);
    engine::DrawingContent content;
    content.entities.reserve(static_cast<std::size_t>(n));
    for (int i : order) {
        const engine::Point2 a = corner(i, n), b = corner(i + 1, n);
        const engine::LineGeom forward{{a.x, a.y, 0}, {b.x, b.y, 0}};
        const engine::LineGeom backward{{b.x, b.y, 0}, {a.x, a.y, 0}};
        content.entities.emplace_back(random() % 2 == 0 ? forward : backward);
    }
    vecad.drawing().load(std::move(content));
}

std::vector<engine::Point2> datSteps(int n) {
    const double radius = n / (2 * std::numbers::pi);
    const auto written = [](double v) { return std::round(v * 1e4) / 1e4; };
    std::vector<engine::Point2> steps;
    steps.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const engine::Point2 p = corner(i, n);
        steps.push_back(
            {written((p.x + radius) / (2 * radius)), written((p.y + radius) / (2 * radius))});
    }
    return steps;
}

void BM_CheckContour(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    engine::Vecad vecad;
    loadShuffledContour(vecad, n, 7);
    for (auto _ : state) {
        const pathtools::DrawingCheck check = pathtools::checkDrawing(vecad, 0.01);
        if (check.contours.size() != 1 || !check.contours[0].closed ||
            check.contours[0].segments != static_cast<std::size_t>(n)) {
            state.SkipWithError("the contour was not found whole and closed");
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_VerifyContour(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    engine::Vecad vecad;
    loadShuffledContour(vecad, n, 7);
    const std::vector<engine::Point2> steps = datSteps(n);
    for (auto _ : state) {
        const pathtools::DatCheck check =
            pathtools::verifyDat(pathtools::pathSegments(vecad, 0.01), steps);
        if (!check.ok || check.steps != steps.size()) {
            state.SkipWithError("the DAT steps did not follow the contour");
        }
    }
    state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_CheckContour)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_VerifyContour)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
