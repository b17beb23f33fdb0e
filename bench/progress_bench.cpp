// The cost of reporting progress from a loop of a million items, as the long
// commands do: one step per item, each letting the (inert) message loop run,
// with a listener as the desktop's bar would have.
#include <benchmark/benchmark.h>

#include "ports/dialogs.h"
#include "ports/inert_ports.h"
#include "ports/pump.h"
#include "shell/main_window.h"
#include "shell/progress_scope.h"

namespace {

using namespace brondel;

constexpr int kItems = 1'000'000;

class NoDialogs : public ports::Dialogs {
  public:
    ports::Answer messageBox(const std::string&, ports::Buttons, ports::Icon,
                             const std::string&) override {
        return ports::Answer::Ok;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string openFile(const ports::FileDialogSetup&) override { return {}; }
    std::string saveFile(const ports::FileDialogSetup&) override { return {}; }
};

void ProgressStepsMillionItems(benchmark::State& state) {
    NoDialogs dialogs;
    ports::Pump pump;
    ports::NoRegistry registry;
    ports::NoLauncher launcher;
    ports::NoPrinter printer;
    shell::MainWindow main({dialogs, pump, registry, launcher, printer}, ".");
    long signals = 0;
    auto listening = main.progress.changed.scoped([&] { ++signals; });
    for (auto _ : state) {
        shell::ProgressScope progress(main, "Work", kItems);
        for (int i = 0; i < kItems; ++i) {
            progress.step();
        }
    }
    state.counters["signals per run"] =
        benchmark::Counter(static_cast<double>(signals), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ProgressStepsMillionItems)->Unit(benchmark::kMillisecond);

}  // namespace
