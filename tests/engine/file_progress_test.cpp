#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/error.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

using Report = std::pair<std::int64_t, std::int64_t>;  // done, total

class FileProgressTest : public ::testing::Test {
  protected:
    FileProgressTest()
        : folder_(std::filesystem::temp_directory_path() /
                  ("brondel-file-progress-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
    }
    ~FileProgressTest() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    // Records what the control reports.
    void listen(Vecad& control) {
        control.fileProgress = [this](std::int64_t done, std::int64_t total) {
            reports.emplace_back(done, total);
        };
    }

    // Every report has the same total, and done grows to it.
    void expectRisingTo(std::int64_t total) const {
        ASSERT_FALSE(reports.empty());
        for (std::size_t i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i].second, total) << i;
            if (i > 0) {
                EXPECT_GT(reports[i].first, reports[i - 1].first) << i;
            }
        }
        EXPECT_EQ(reports.back().first, total);
    }

    std::vector<Report> reports;

  private:
    std::filesystem::path folder_;
};

// An ASCII DXF of n lines; about 80 bytes each.
std::string linesDxf(int n) {
    std::string s = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < n; ++i) {
        const std::string x = std::to_string(i);
        s += "0\nLINE\n8\n0\n10\n" + x + ".25\n20\n1.5\n30\n0\n11\n" + x + ".75\n21\n2.5\n31\n0\n";
    }
    return s + "0\nENDSEC\n0\nEOF\n";
}

TEST_F(FileProgressTest, DxfOpenReportsEveryChunkReadUpToTheFileSize) {
    constexpr int kLines = 100000;  // several of the reader's chunks
    const std::string text = linesDxf(kLines);
    const std::string file = path("lines.dxf");
    std::ofstream(file, std::ios::binary) << text;

    Vecad control;
    listen(control);
    control.FileOpen(file);
    EXPECT_EQ(control.GetNumEntities(), kLines);
    EXPECT_GE(reports.size(), 2u);
    expectRisingTo(static_cast<std::int64_t>(text.size()));

    // A file cut short still reports what was read before it fails.
    const std::string cut = path("cut.dxf");
    std::ofstream(cut, std::ios::binary) << text.substr(0, text.size() / 2);
    reports.clear();
    EXPECT_THROW(control.FileOpen(cut), Error);
    EXPECT_FALSE(reports.empty());
    EXPECT_EQ(control.GetNumEntities(), kLines);
}

TEST_F(FileProgressTest, SavesCountEntitiesAndVecOpenCountsBytes) {
    constexpr int kLines = 10000;
    Vecad control;
    for (int i = 0; i < kLines; ++i) {
        control.AddLine(i, 0, 0, i, 1, 0);
    }
    listen(control);
    for (const char* name : {"lines.vec", "lines.dxf"}) {
        SCOPED_TRACE(name);
        reports.clear();
        control.FileSaveAs(path(name));
        EXPECT_GE(reports.size(), 2u);  // one every few thousand entities, and the end
        expectRisingTo(kLines);
    }

    Vecad reader;
    listen(reader);
    reports.clear();
    reader.FileOpen(path("lines.vec"));
    EXPECT_EQ(reader.GetNumEntities(), kLines);
    expectRisingTo(static_cast<std::int64_t>(std::filesystem::file_size(path("lines.vec"))));
}

}  // namespace
}  // namespace brondel::engine
