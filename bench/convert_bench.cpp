// The sequential conversion of a drawing of a million lines (line collection,
// DAT list generation and the preview) and the import of a DAT file of a
// million rows (reading, the drawn lines and line collection), each run as
// the user's command through the main window.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <optional>

#include "coordfiles/dat_commands.h"
#include "coordfiles/dat_writer.h"
#include "coordfiles/import_commands.h"
#include "coordfiles/rows.h"
#include "ports/dialogs.h"
#include "ports/inert_ports.h"
#include "ports/launcher.h"
#include "ports/printer.h"
#include "ports/pump.h"
#include "ports/registry.h"
#include "shell/main_window.h"

namespace {

using namespace brondel;

constexpr int kCount = 1'000'000;

// Answers every box with OK or No, every input with size and every file
// dialog with path.
class FixedDialogs : public ports::Dialogs {
  public:
    std::string path;
    std::string size;
    ports::Answer messageBox(const std::string&, ports::Buttons buttons, ports::Icon,
                             const std::string&) override {
        return buttons == ports::Buttons::Ok ? ports::Answer::Ok : ports::Answer::No;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return size;
    }
    std::string openFile(const ports::FileDialogSetup&) override { return path; }
    std::string saveFile(const ports::FileDialogSetup&) override { return path; }
};

class CountingPump : public ports::Pump {
  public:
    long runs = 0;
    void runOnce() override { ++runs; }
};

struct Program {
    FixedDialogs dialogs;
    CountingPump pump;
    ports::NoRegistry registry;
    ports::NoLauncher launcher;
    ports::NoPrinter printer;
    shell::MainWindow main{{dialogs, pump, registry, launcher, printer},
                           std::filesystem::temp_directory_path().string()};
};

// A closed outline a few thousand units wide, so every row carries four
// decimals.
void outlinePoint(int i, double& x, double& y) {
    const double a = 2 * std::numbers::pi * i / kCount;
    x = 2500 + 2400 * std::cos(a);
    y = 1300 + 900 * std::sin(3 * a);
}

void SequentialConversionMillionLines(benchmark::State& state) {
    Program program;
    documents::DrawingWindow& window = program.main.NewDrawingWindow();
    double x1, y1, x2, y2;
    outlinePoint(0, x1, y1);
    for (int i = 1; i <= kCount; ++i) {
        outlinePoint(i, x2, y2);
        window.Vecad1.AddLine(x1, y1, 0, x2, y2, 0);
        x1 = x2;
        y1 = y2;
    }
    for (auto _ : state) {
        coordfiles::convertSequentialDrawing(window);
    }
    if (window.DList.rows.size() != kCount + 1 || window.Vecad2.GetNumEntities() != kCount) {
        state.SkipWithError("the conversion did not make every step");
    }
    state.counters["pumped"] = static_cast<double>(program.pump.runs);
}
BENCHMARK(SequentialConversionMillionLines)->Unit(benchmark::kMillisecond);

void DatImportMillionRows(benchmark::State& state) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("brondel-convert-bench-" + std::to_string(::getpid()) + ".dat"))
                                 .string();
    std::vector<std::string> rows;
    rows.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        double x, y;
        outlinePoint(i, x, y);
        rows.push_back(coordfiles::datRow(x / 4900, y / 4900));
    }
    coordfiles::writeDatFile(file, rows);
    Program program;
    program.dialogs.path = file;
    program.dialogs.size = "4900";
    for (auto _ : state) {
        program.main.click("mnuDatFile");
        state.PauseTiming();
        documents::DrawingWindow& window = *program.main.active();
        if (window.Vecad1.GetNumEntities() != kCount - 1 || window.CList.rows.size() != kCount) {
            state.SkipWithError("the import did not draw every line");
        }
        program.main.closeWindow(window);
        state.ResumeTiming();
    }
    std::filesystem::remove(file);
}
BENCHMARK(DatImportMillionRows)->Unit(benchmark::kMillisecond);

}  // namespace
