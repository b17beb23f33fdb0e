// Runs both roads of `brondel-cli convert` (reorganized and sequential) over
// every drawing of the corpus and compares the DAT files with the recorded
// ones byte for byte (by length and a 64-bit hash of the bytes), so work on
// speed cannot change a result unseen. With BRONDEL_PROMOTE=1 the record is
// rewritten from the run instead (for reviewed changes only).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/fake_ports.h"

namespace fs = std::filesystem;

namespace {

const fs::path kRecord = fs::path(BRONDEL_SOURCE_DIR) / "tests" / "scripts" / "corpus_dat.tsv";

std::string fnv1a64(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        h = (h ^ c) * 1099511628211ull;
    }
    std::ostringstream s;
    s << std::hex << h;
    return s.str();
}

// One row of the record: drawing, road, exit code, DAT length and hash ("-"
// when no DAT file was written).
std::string convertRow(const fs::path& drawing, const std::string& road, const fs::path& folder) {
    const fs::path dat = folder / "out.dat";
    fs::remove(dat);
    const std::string command = "'" + std::string(BRONDEL_CLI) + "' convert '" + drawing.string() +
                                "' -o '" + dat.string() + "'" +
                                (road == "sequential" ? " --sequential" : "") + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::string length = "-", hash = "-";
    if (fs::exists(dat)) {
        std::ifstream in(dat, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        length = std::to_string(bytes.size());
        hash = fnv1a64(bytes);
    }
    return drawing.filename().string() + '\t' + road + '\t' + std::to_string(code) + '\t' + length +
           '\t' + hash;
}

std::vector<std::string> recordedRows() {
    std::vector<std::string> rows;
    std::ifstream in(kRecord);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') {
            rows.push_back(line);
        }
    }
    return rows;
}

TEST(CorpusDat, BothRoadsWriteTheRecordedDatFiles) {
    std::vector<fs::path> drawings;
    for (const auto& entry : fs::directory_iterator(fs::path(BRONDEL_CORPUS_DIR) / "dxf")) {
        drawings.push_back(entry.path());
    }
    std::sort(drawings.begin(), drawings.end());
    ASSERT_FALSE(drawings.empty());

    brondel::testing::TempFolder temp;
    std::vector<std::string> rows;
    for (const fs::path& drawing : drawings) {
        for (const char* road : {"reorganized", "sequential"}) {
            rows.push_back(convertRow(drawing, road, temp.path()));
        }
    }
    if (std::getenv("BRONDEL_PROMOTE")) {
        std::ofstream out(kRecord);
        out << "# drawing\troad\texit code\tDAT bytes\tFNV-1a 64 of the DAT bytes\n";
        for (const std::string& row : rows) {
            out << row << '\n';
        }
        return;
    }
    EXPECT_EQ(rows, recordedRows());
}

}  // namespace
