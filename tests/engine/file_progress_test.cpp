#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "engine/vecad.h"
#include "tests/support/files.h"

namespace brondel::engine {
namespace {

using Reports = std::vector<std::pair<std::int64_t, std::int64_t>>;  // done, total

Reports& listen(Vecad& control, Reports& reports) {
    control.fileProgress = [&reports](std::int64_t done, std::int64_t total) {
        reports.emplace_back(done, total);
    };
    return reports;
}

// Every report has the same total, and done rises to it.
void expectRisingTo(const Reports& reports, std::int64_t total) {
    ASSERT_FALSE(reports.empty());
    for (std::size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].second, total) << i;
        if (i > 0) {
            EXPECT_GT(reports[i].first, reports[i - 1].first) << i;
        }
    }
    EXPECT_EQ(reports.back().first, total);
}

TEST(FileProgress, DxfOpenReportsEveryChunkReadUpToTheFileSize) {
    constexpr int kLines = 100000;  // several of the reader's chunks
    std::string text = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < kLines; ++i) {
        const std::string x = std::to_string(i);
        text += "0\nLINE\n8\n0\n10\n" + x + ".25\n20\n1.5\n11\n" + x + ".75\n21\n2.5\n";
    }
    text += "0\nENDSEC\n0\nEOF\n";
    const brondel::testing::TempFolder folder;
    const std::string whole = folder.file("lines.dxf"), cut = folder.file("cut.dxf");
    brondel::testing::writeFile(whole, text);
    brondel::testing::writeFile(cut, text.substr(0, text.size() / 2));

    Vecad control;
    Reports reports;
    listen(control, reports);
    control.FileOpen(whole);
    EXPECT_EQ(control.GetNumEntities(), kLines);
    EXPECT_GE(reports.size(), 2u);
    expectRisingTo(reports, static_cast<std::int64_t>(text.size()));

    // A file cut short reports what was read before it fails.
    reports.clear();
    EXPECT_THROW(control.FileOpen(cut), Error);
    EXPECT_FALSE(reports.empty());
}

TEST(FileProgress, SavesCountEntitiesAndVecOpenCountsBytes) {
    constexpr int kLines = 10000;
    Vecad control;
    for (int i = 0; i < kLines; ++i) {
        control.AddLine(i, 0, 0, i, 1, 0);
    }
    Reports reports;
    listen(control, reports);
    const brondel::testing::TempFolder folder;
    for (const char* name : {"lines.vec", "lines.dxf"}) {
        SCOPED_TRACE(name);
        reports.clear();
        control.FileSaveAs(folder.file(name));
        EXPECT_GE(reports.size(), 2u);  // one every few thousand entities, and the end
        expectRisingTo(reports, kLines);
    }

    Vecad reader;
    listen(reader, reports).clear();
    reader.FileOpen(folder.file("lines.vec"));
    EXPECT_EQ(reader.GetNumEntities(), kLines);
    expectRisingTo(reports,
                   static_cast<std::int64_t>(std::filesystem::file_size(folder.file("lines.vec"))));
}

}  // namespace
}  // namespace brondel::engine
