// Reorganize Entities on one closed contour of 10,000, 100,000 and 1,000,000
// segments, loaded in a shuffled order with every other direction turned at
// random, run as the user's command (save prompt answered No).
#include <benchmark/benchmark.h>

#include <optional>
#include <stdexcept>

#include "bench/shuffled_contour.h"
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
        main->state.startEntity = bench::loadShuffledContour(window.Vecad1, n, 7);
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
