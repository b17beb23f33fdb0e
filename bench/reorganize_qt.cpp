// Reorganize Entities as the desktop program runs it: chosen from the menu of
// a shown main window, the Qt pump keeping the window alive and the progress
// panel counting, on one closed contour of 100,000 and 1,000,000 segments.
// Wall time, since the pump's waits are part of what the user sees.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>

#include "app/desktop/main_frame.h"
#include "app/desktop/menu_binding.h"
#include "app/desktop/preset_dialogs.h"
#include "app/desktop/qt_ports.h"
#include "bench/shuffled_contour.h"
#include "documents/drawing_window.h"
#include "ports/inert_ports.h"
#include "shell/main_window.h"

namespace {

using namespace brondel;

struct Desktop {
    desktop::PresetDialogs dialogs;
    desktop::QtPump pump;
    ports::NoRegistry registry;
    ports::NoLauncher launcher;
    ports::NoPrinter printer;
    shell::MainWindow main{{dialogs, pump, registry, launcher, printer}, "."};
    desktop::MainFrame frame{main};

    Desktop() {
        frame.resize(1024, 720);
        frame.show();
        QApplication::processEvents();
    }
    void click(const char* item) { frame.menuBinding().action(item)->trigger(); }
};

void BM_ReorganizeInDesktop(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Desktop desktop;
    for (auto _ : state) {
        state.PauseTiming();
        desktop.click("mnuFileNew");
        documents::DrawingWindow* window = desktop.main.active();
        desktop.main.state.startEntity = bench::loadShuffledContour(window->Vecad1, n, 7);
        QApplication::processEvents();
        desktop.dialogs.answers.push_back(ports::Answer::No);  // no save before reorganizing
        state.ResumeTiming();

        desktop.click("mnuReorganzie");

        state.PauseTiming();
        if (window->CList.rows.size() != static_cast<std::size_t>(n) + 1 ||
            window->CList.rows.front() != window->CList.rows.back()) {
            state.SkipWithError("the contour did not reorganize into one closed path");
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReorganizeInDesktop)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
