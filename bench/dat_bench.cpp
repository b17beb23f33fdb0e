// DAT list generation, DAT file writing and DAT file reading for a path of a
// million vertices.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "coordfiles/dat_generation.h"
#include "coordfiles/dat_reader.h"
#include "coordfiles/dat_writer.h"
#include "coordfiles/rows.h"

namespace {

using namespace brondel::coordfiles;

constexpr int kRows = 1'000'000;

// A shape a few thousand units wide, so every row carries four decimals.
std::vector<std::string> coordinateRows() {
    std::vector<std::string> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const double a = 2 * std::numbers::pi * i / kRows;
        rows.push_back(coordinateRow(2500 + 2400 * std::cos(a), 1300 + 900 * std::sin(3 * a)));
    }
    return rows;
}

std::vector<std::string> datRows() {
    return generateDatList(coordinateRows()).rows;
}

std::string benchFile() {
    return (std::filesystem::temp_directory_path() /
            ("brondel-dat-bench-" + std::to_string(::getpid()) + ".dat"))
        .string();
}

void GenerateDatListMillionRows(benchmark::State& state) {
    const std::vector<std::string> rows = coordinateRows();
    long pumped = 0;
    for (auto _ : state) {
        DatGeneration result = generateDatList(rows, [&] { ++pumped; });
        benchmark::DoNotOptimize(result.rows.data());
    }
    benchmark::DoNotOptimize(pumped);
}
BENCHMARK(GenerateDatListMillionRows)->Unit(benchmark::kMillisecond);

void RenderDatFileMillionRows(benchmark::State& state) {
    const std::vector<std::string> rows = datRows();
    for (auto _ : state) {
        std::string bytes = renderDatFile(rows);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(RenderDatFileMillionRows)->Unit(benchmark::kMillisecond);

void WriteDatFileMillionRows(benchmark::State& state) {
    const std::vector<std::string> rows = datRows();
    const std::string path = benchFile();
    for (auto _ : state) {
        writeDatFile(path, rows);
    }
    std::filesystem::remove(path);
}
BENCHMARK(WriteDatFileMillionRows)->Unit(benchmark::kMillisecond);

void ReadDatFileMillionRows(benchmark::State& state) {
    const std::string path = benchFile();
    writeDatFile(path, datRows());
    for (auto _ : state) {
        PairFile file = readPairFile(path);
        benchmark::DoNotOptimize(file.pairs.data());
    }
    std::filesystem::remove(path);
}
BENCHMARK(ReadDatFileMillionRows)->Unit(benchmark::kMillisecond);

void ImportedDatRowsMillionPairs(benchmark::State& state) {
    const std::string path = benchFile();
    writeDatFile(path, datRows());
    const PairFile file = readPairFile(path);
    std::filesystem::remove(path);
    for (auto _ : state) {
        std::vector<std::string> rows = importedDatRows(file.pairs);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(ImportedDatRowsMillionPairs)->Unit(benchmark::kMillisecond);

}  // namespace
