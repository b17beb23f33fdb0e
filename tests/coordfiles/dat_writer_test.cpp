#include "coordfiles/dat_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "coordfiles/rows.h"
#include "engine/cad.h"
#include "tests/support/files.h"
#include "tests/support/thrown.h"

namespace brondel::coordfiles {
namespace {

using Rows = std::vector<std::string>;

struct DatWriterFiles : ::testing::Test {
    testing::TempFolder folder;
};

TEST(DatWriter, OneLinePerRowEndedByCarriageReturnAndLineFeed) {
    const std::string bytes = renderDatFile(Rows{"0 0", "0.5 0.25", "1 0"});
    EXPECT_EQ(bytes, "0 0\r\n0.5 0.25\r\n1 0\r\n");
    EXPECT_EQ(bytes.size(), 20u);
    EXPECT_EQ(renderDatFile(Rows{}), "");
}

TEST(DatWriter, NumbersAreWrittenInTheirShortestForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.1235 -0.0001", "0.1235 -0.0001"},
        {"-0 0.50", "0 0.5"},
        {"-0.0 00.5", "0 0.5"},
        {"1. .5", "1 0.5"},
        {"+1 1e2", "1 100"},
        {"1 abc", "1 0"},
        {"0.5  0.25", "0.5 0"},  // the second part is the empty text between the blanks
        {"0.1234567890123456789 12345678901234567", "0.123456789012346 12345678901234600"},
        {"123456789012345 -0.00000000000001", "123456789012345 -0.00000000000001"},
    };
    for (const auto& [row, line] : cases) {
        EXPECT_EQ(renderDatFile(Rows{row}), std::string(line) + "\r\n") << row;
    }
}

TEST(DatWriter, ARowWithoutABlankFailsBeforeAnythingIsWritten) {
    EXPECT_EQ(testing::thrown([] { renderDatFile(Rows{"0 0", "0.5", "1 0"}); }).number, 9);
}

TEST(DatWriter, ListsOfAnyLengthAreWrittenCompletely) {
    for (std::size_t count : {32767u, 32768u, 40000u}) {
        const Rows rows(count, "0.5 0.25");
        const std::string bytes = renderDatFile(rows);
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<long>(count));
        EXPECT_EQ(bytes.size(), count * 10);
    }
}

// The replaced file is kept as NAME.dat.bak unless Options turn backups off.
TEST_F(DatWriterFiles, ReplacesAnExistingFileKeepingTheOldOne) {
    const auto path = folder.path() / "shape.dat";
    const auto backup = folder.path() / "shape.dat.bak";
    std::ofstream(path) << "old content that is longer than the new one\n";
    writeDatFile(path.string(), Rows{"0 0", "1 0"});
    EXPECT_EQ(testing::readFile(path), "0 0\r\n1 0\r\n");
    EXPECT_EQ(testing::readFile(backup), "old content that is longer than the new one\n");

    engine::CadPutKeepBackup(false);
    writeDatFile(path.string(), Rows{"1 1"});
    engine::CadPutKeepBackup(true);
    EXPECT_EQ(testing::readFile(path), "1 1\r\n");
    EXPECT_EQ(testing::readFile(backup), "old content that is longer than the new one\n");
}

TEST_F(DatWriterFiles, AFailureLeavesTheOldFileAsItWas) {
    const auto path = folder.path() / "shape.dat";
    std::ofstream(path) << "0 0\r\n";
    EXPECT_THROW(writeDatFile(path.string(), Rows{"0 0", "bad"}), Error);
    EXPECT_EQ(testing::readFile(path), "0 0\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(DatWriterFiles, AnEmptyListGivesAnEmptyFile) {
    const auto path = folder.path() / "empty.dat";
    writeDatFile(path.string(), Rows{});
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

}  // namespace
}  // namespace brondel::coordfiles
