// VEC save and load of a drawing of a million lines built in memory.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <sstream>

#include "base/atomic_file.h"
#include "engine/io/drawing_files.h"
#include "engine/io/vec_format.h"

namespace {

using namespace brondel::engine;

constexpr int kLines = 1'000'000;

DrawingContent millionLines() {
    DrawingContent c;
    c.layers = {Layer{"0"}, Layer{"Cut"}};
    c.entities.reserve(kLines);
    EntityProps props;
    props.layer = "Cut";
    for (int i = 0; i < kLines; ++i) {
        const double x = i % 1000, y = i / 1000;
        c.entities.emplace_back(LineGeom{{x, y, 0}, {x + 0.5, y + 0.25, 0}}, props);
    }
    return c;
}

std::string benchFile() {
    return (std::filesystem::temp_directory_path() /
            ("brondel-vec-bench-" + std::to_string(::getpid()) + ".vec"))
        .string();
}

void VecSaveMillionLines(benchmark::State& state) {
    Drawing drawing;
    drawing.load(millionLines());
    const std::string path = benchFile();
    for (auto _ : state) {
        io::writeVec(drawing, path);
    }
    state.counters["MB"] = double(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(VecSaveMillionLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two halves of a save, apart: an autosave can encode on one thread and
// leave the disk write to another only if the write is the larger half.
void VecEncodeMillionLinesToMemory(benchmark::State& state) {
    Drawing drawing;
    drawing.load(millionLines());
    const DrawingContent tables = drawing.tables();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        io::vec::encode(tables, drawing.entities(), out, {});
        bytes = out.view().size();
    }
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(VecEncodeMillionLinesToMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void VecWriteEncodedMillionLines(benchmark::State& state) {
    Drawing drawing;
    drawing.load(millionLines());
    std::ostringstream out;
    io::vec::encode(drawing.tables(), drawing.entities(), out, {});
    const std::string bytes = std::move(out).str();
    const std::string path = benchFile();
    for (auto _ : state) {
        brondel::base::writeFileAtomically(path, bytes);
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
    std::filesystem::remove(path);
}
BENCHMARK(VecWriteEncodedMillionLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// What an autosave costs the user's thread: the copy its worker writes from.
void SnapshotMillionLines(benchmark::State& state) {
    Drawing drawing;
    drawing.load(millionLines());
    for (auto _ : state) {
        benchmark::DoNotOptimize(io::snapshot(drawing));
    }
}
BENCHMARK(SnapshotMillionLines)->Unit(benchmark::kMillisecond)->UseRealTime();

void VecLoadMillionLines(benchmark::State& state) {
    const std::string path = benchFile();
    {
        Drawing drawing;
        drawing.load(millionLines());
        io::writeVec(drawing, path);
    }
    for (auto _ : state) {
        DrawingContent c = io::readVec(path);
        benchmark::DoNotOptimize(c.entities.data());
    }
    std::filesystem::remove(path);
}
BENCHMARK(VecLoadMillionLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening a drawing is reading the file and loading it into a Drawing.
void VecOpenMillionLines(benchmark::State& state) {
    const std::string path = benchFile();
    {
        Drawing drawing;
        drawing.load(millionLines());
        io::writeVec(drawing, path);
    }
    for (auto _ : state) {
        Drawing drawing;
        drawing.load(io::readVec(path));
        benchmark::DoNotOptimize(drawing.liveCount());
    }
    std::filesystem::remove(path);
}
BENCHMARK(VecOpenMillionLines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
