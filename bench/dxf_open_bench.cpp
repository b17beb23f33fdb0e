#include <benchmark/benchmark.h>
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/io/drawing_files.h"

// Opening a DXF of a million loose LINEs (and of LWPOLYLINEs) with our
// reader, against the floor of a bare from_chars scan of the same bytes and
// against dxflib's parser. The files are made once by bench/make_lines_dxf.py
// in $BRONDEL_DXF_BENCH_DIR (default /tmp/brondel-dxf-bench).
namespace {

std::string benchDir() {
    const char* dir = std::getenv("BRONDEL_DXF_BENCH_DIR");
    return dir ? dir : "/tmp/brondel-dxf-bench";
}

const std::string& linesFile() {
    static const std::string path = [] {
        const std::string dir = benchDir();
        const std::string lines = dir + "/lines-1000000.dxf";
        const std::string polylines = dir + "/polylines-100000.dxf";
        if (!std::filesystem::exists(lines) || !std::filesystem::exists(polylines)) {
            std::filesystem::create_directories(dir);
            const std::string command = "python3 " BRONDEL_SOURCE_DIR "/bench/make_lines_dxf.py " +
                                        lines + " 1000000 " + polylines + " 100000";
            if (std::system(command.c_str()) != 0) {
                std::fprintf(stderr, "could not make the benchmark files\n");
                std::exit(1);
            }
        }
        return lines;
    }();
    return path;
}

std::string polylinesFile() {
    linesFile();
    return benchDir() + "/polylines-100000.dxf";
}

// What any reader must at least do: read the bytes, split the lines, parse
// every group code and every coordinate.
double scan(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
    std::vector<char> buffer(std::size_t{4} << 20);
    std::size_t kept = 0;
    double sum = 0;
    bool codeLine = true;
    int code = 0;
    for (;;) {
        const std::size_t got = std::fread(buffer.data() + kept, 1, buffer.size() - kept, f.get());
        const char* p = buffer.data();
        const char* end = p + kept + got;
        for (;;) {
            const char* nl = static_cast<const char*>(std::memchr(p, '\n', end - p));
            if (!nl)
                break;
            const char* b = p;
            while (b < nl && *b == ' ')
                ++b;
            if (codeLine) {
                std::from_chars(b, nl, code);
            } else if (code >= 10 && code < 60) {
                double d = 0;
                std::from_chars(b, nl, d);
                sum += d;
            }
            codeLine = !codeLine;
            p = nl + 1;
        }
        kept = static_cast<std::size_t>(end - p);
        std::memmove(buffer.data(), p, kept);
        if (got == 0)
            break;
    }
    return sum;
}

void openWithReader(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        auto content = brondel::engine::io::readDxf(path);
        benchmark::DoNotOptimize(content.entities.data());
        state.PauseTiming();  // freeing the drawing is not part of opening it
        content = {};
        state.ResumeTiming();
    }
}

void bareScan(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(scan(path));
    }
}

void openWithDxflib(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        DL_CreationAdapter adapter;
        DL_Dxf dxf;
        benchmark::DoNotOptimize(dxf.in(path, &adapter));
    }
}

void BM_Lines_OurReader(benchmark::State& s) {
    openWithReader(s, linesFile());
}
void BM_Lines_FromCharsScan(benchmark::State& s) {
    bareScan(s, linesFile());
}
void BM_Lines_Dxflib(benchmark::State& s) {
    openWithDxflib(s, linesFile());
}
void BM_Polylines_OurReader(benchmark::State& s) {
    openWithReader(s, polylinesFile());
}
void BM_Polylines_FromCharsScan(benchmark::State& s) {
    bareScan(s, polylinesFile());
}
void BM_Polylines_Dxflib(benchmark::State& s) {
    openWithDxflib(s, polylinesFile());
}

BENCHMARK(BM_Lines_OurReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lines_FromCharsScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lines_Dxflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Polylines_OurReader)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Polylines_FromCharsScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Polylines_Dxflib)->Unit(benchmark::kMillisecond);

}  // namespace
