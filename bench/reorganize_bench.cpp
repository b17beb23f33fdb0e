// Reorganize Entities on one closed contour of 10,000, 100,000 and 1,000,000
// segments, loaded in a shuffled order with every other direction turned at
// random, run as the user's command (save prompt answered No).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

#include "pathtools/reorganize.h"
#include "ports/dialogs.h"
#include "ports/inert_ports.h"
#include "ports/launcher.h"
#include "ports/printer.h"
#include "ports/pump.h"
#include "ports/registry.h"
#include "shell/main_window.h"

namespace {

using namespace brondel;

class NoDialogs : public ports::Dialogs {
  public:
    ports::Answer messageBox(const std::string&, ports::Buttons buttons, ports::Icon,
                             const std::string&) override {
        return buttons == ports::Buttons::Ok ? ports::Answer::Ok : ports::Answer::No;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string openFile(const ports::FileDialogSetup&) override { return {}; }
    std::string saveFile(const ports::FileDialogSetup&) override { return {}; }
};

// A circle of n sides, each one unit long, far longer than the search radius,
// loaded as a drawing file would be. Returns the side the walk starts at.
engine::Handle loadShuffledContour(engine::Vecad& vecad, int n, unsigned seed) {
    const double radius = n / (2 * std::numbers::pi);
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::mt19937 random(seed);
    std::shuffle(order.begin(), order.end(), random);
    auto corner = [&](int i) {
        const double a = 2 * std::numbers::pi * (i % n) / n;
        return engine::Point3{radius * std::cos(a), radius * std::sin(a), 0};
    };
    engine::DrawingContent content;
    content.entities.reserve(static_cast<std::size_t>(n));
    std::size_t startPosition = 0;
    for (int i : order) {
        const bool forward = i == 0 || random() % 2 == 0;
        if (i == 0) {
            startPosition = content.entities.size();
        }
        content.entities.emplace_back(forward ? engine::LineGeom{corner(i), corner(i + 1)}
                                              : engine::LineGeom{corner(i + 1), corner(i)});
    }
    vecad.drawing().load(std::move(content));
    return vecad.drawing().entities()[startPosition].handle;
}

void BM_ReorganizeContour(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    NoDialogs dialogs;
    ports::Pump pump;
    ports::NoRegistry registry;
    ports::NoLauncher launcher;
    ports::NoPrinter printer;
    for (auto _ : state) {
        state.PauseTiming();
        auto main = std::make_unique<shell::MainWindow>(
            shell::Ports{dialogs, pump, registry, launcher, printer}, ".");
        documents::DrawingWindow& window = main->NewDrawingWindow();
        ++main->openWindowCount;
        main->state.startEntity = loadShuffledContour(window.Vecad1, n, 7);
        state.ResumeTiming();

        const pathtools::ReorganizeEnd end = pathtools::reorganizeEntities(window);

        state.PauseTiming();
        if (end != pathtools::ReorganizeEnd::Complete ||
            window.CList.rows.size() != static_cast<std::size_t>(n) + 1 ||
            window.CList.rows.front() != window.CList.rows.back()) {
            state.SkipWithError("the contour did not reorganize into one closed path");
        }
        main.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_ReorganizeContour)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
