#include "coordfiles/dat_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "base/error.h"
#include "coordfiles/dat_writer.h"
#include "tests/support/thrown.h"

namespace brondel::coordfiles {
namespace {

using Pairs = std::vector<PairPoint>;

const std::filesystem::path kCorpus = std::filesystem::path(BRONDEL_CORPUS_DIR);

int errorNumberOf(std::string_view bytes) {
    return testing::thrown([&] { parsePairFile(bytes); }).number;
}

TEST(PairFiles, DatAndCorLayoutsGiveTheSamePairs) {
    const Pairs triangle = {{0, 0}, {0.5f, 0.25f}, {1, 0}};
    for (const char* bytes : {"0 0\r\n0.5 0.25\r\n1 0\r\n", "0,0,0.5,0.25,1,0", "0 0 0.5\n0.25 1 0",
                              "0\n0\n0.5\n0.25\n1\n0\n",
                              "\xEF\xBB\xBF"
                              "0\t0\r0.5  0.25\r\n\n1 0"}) {
        const PairFile file = parsePairFile(bytes);
        EXPECT_EQ(file.pairs, triangle) << bytes;
        EXPECT_EQ(file.name, "");
        EXPECT_EQ(file.format, PairFileFormat::Selig);
    }
}

TEST(PairFiles, LeadingTextLinesNameTheShapeAndTrailingTextEndsTheData) {
    const PairFile file = parsePairFile(
        "  NACA 0012  \r\n121 Data Points\r\n1.0 0.0\r\n0 0\r\n1 -0.0\r\n\r\nReference: a book\n2 "
        "2\n");
    EXPECT_EQ(file.name, "NACA 0012");
    EXPECT_EQ(file.pairs.size(), 3u);
    // A lone number followed by pairs is a name, not half a pair.
    EXPECT_EQ(parsePairFile("4412\n1 0\n0 0\n").name, "4412");
    // Names in an 8-bit code page come back as UTF-8.
    EXPECT_EQ(parsePairFile("Stra\xDF"
                            "e\n0 0\n")
                  .name,
              "Stra\xC3\x9F"
              "e");
}

TEST(PairFiles, ReportTablesReadDespitePlaceholdersAndParentheses) {
    const PairFile file = parsePairFile(
        "T\n1.0 ......\n1.0 (0.0013)\n0.5 0.05\n0.0 ......\n"
        "0.0 0.0\n1.0 (-0.0013)\n");
    EXPECT_EQ(file.pairs, (Pairs{{1, 0.0013f}, {0.5f, 0.05f}, {0, 0}, {1, -0.0013f}}));
}

TEST(PairFiles, LednicerFilesBecomeOneLoopInSeligOrder) {
    const PairFile file =
        parsePairFile("LED\n3. 3.\n\n0 0\n0.5 0.1\n1 0\n\n0 0\n0.5 -0.1\n1 -0.01\n");
    EXPECT_EQ(file.format, PairFileFormat::Lednicer);
    EXPECT_EQ(file.pairs, (Pairs{{1, 0}, {0.5f, 0.1f}, {0, 0}, {0.5f, -0.1f}, {1, -0.01f}}));
    // Found by fuzz-pair_file: a first pair too large for a count was cast
    // to one (undefined behaviour); it is data like any other.
    const PairFile huge = parsePairFile("1e25 1e25\n0 0\n1 1\n");
    EXPECT_EQ(huge.format, PairFileFormat::Selig);
    EXPECT_EQ(huge.pairs.size(), 3u);
}

TEST(PairFiles, TwoSurfacesFromOnePointWithoutCountsAreJoinedToo) {
    const PairFile file = parsePairFile("W\n\n0 0\n0.5 0.1\n1 0\n\n0 0\n0.5 -0.1\n1 0\n");
    EXPECT_EQ(file.format, PairFileFormat::SurfacesFromLeadingEdge);
    EXPECT_EQ(file.pairs, (Pairs{{1, 0}, {0.5f, 0.1f}, {0, 0}, {0.5f, -0.1f}, {1, 0}}));
    // Blocks that do not start at one point stay in file order.
    EXPECT_EQ(parsePairFile("1 0\n0 0\n\n0.5 -0.1\n1 0\n").format, PairFileFormat::Selig);
}

TEST(PairFiles, FilesThatCannotBeReadAsPairsFail) {
    EXPECT_EQ(errorNumberOf("0.5"), err::kInputPastEnd);  // a single value
    EXPECT_EQ(errorNumberOf("0 0\n0.5 0.25\n1\n"), err::kInputPastEnd);
    EXPECT_EQ(errorNumberOf("0 0\n0.5\nthe end\n"), err::kInputPastEnd);
    EXPECT_EQ(errorNumberOf(""), err::kInputPastEnd);
    EXPECT_EQ(errorNumberOf("\r\n  \r\n"), err::kInputPastEnd);
    EXPECT_EQ(errorNumberOf("just a name\nand some words\n"), err::kTypeMismatch);
    EXPECT_EQ(errorNumberOf("0 0\n1e39 0\n"), err::kOverflow);
}

TEST(PairFiles, WhatTheWriterWritesReadsBackUnchanged) {
    const std::vector<std::string> rows = {"0 0", "0.5 0.25", "1 0", "0.1235 -0.0001",
                                           "0.9999 12.3456"};
    const PairFile file = parsePairFile(renderDatFile(rows));
    EXPECT_EQ(importedDatRows(file.pairs), rows);
}

TEST(PairFiles, MissingFilesAreReported) {
    EXPECT_EQ(testing::thrown([] {
                  readPairFile((kCorpus / "dat" / "no such file.dat").string());
              }).number,
              err::kFileNotFound);
    EXPECT_THROW(readPairFile(kCorpus.string()), Error);
}

// Every airfoil file of the corpus reads; where the manifest counts the
// numeric rows of a plain Selig file, each is one pair.
TEST(PairFileCorpus, EveryFileReads) {
    std::ifstream manifest(kCorpus / "MANIFEST.tsv");
    const std::regex seligCount(R"(^selig[^;]*; (\d+) numeric rows)");
    std::string line;
    int files = 0;
    while (std::getline(manifest, line)) {
        if (!line.starts_with("dat/")) {
            continue;
        }
        std::vector<std::string> columns;
        for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
            tab = line.find('\t', start);
            columns.push_back(line.substr(start, tab - start));
        }
        const std::string path = (kCorpus / columns[0]).string();
        ++files;
        if (columns[0] == "dat/airfoileditor_Example_corrupt.dat") {
            continue;  // checked on its own below
        }
        const PairFile file = readPairFile(path);
        EXPECT_GE(file.pairs.size(), 10u) << path;
        std::smatch count;
        if (std::regex_search(columns[7], count, seligCount)) {
            EXPECT_EQ(file.format, PairFileFormat::Selig) << path;
            EXPECT_EQ(file.pairs.size(), std::stoul(count[1])) << path;
        }
        EXPECT_NO_THROW(importedDatRows(file.pairs)) << path;
    }
    EXPECT_EQ(files, 40);
}

TEST(PairFileCorpus, ATruncatedFileFailsRatherThanLosingItsLastPoint) {
    const testing::Thrown e = testing::thrown(
        [] { readPairFile((kCorpus / "dat/airfoileditor_Example_corrupt.dat").string()); });
    EXPECT_EQ(e.number, err::kInputPastEnd);
    EXPECT_NE(e.description.find("line 5"), std::string::npos) << e.description;
}

TEST(PairFileCorpus, LednicerFilesRunFromTrailingEdgeOverTheLeadingEdgeBack) {
    const PairFile e850 = readPairFile((kCorpus / "dat/uiuc-airinnova_e850.dat").string());
    EXPECT_EQ(e850.name, "EPPLER E850 AIRFOIL");
    EXPECT_EQ(e850.format, PairFileFormat::Lednicer);
    // Its count line says 33 upper and 35 lower points; the blank line
    // between the surfaces says 35 and 33.
    ASSERT_EQ(e850.pairs.size(), 35u + 33u - 1u);
    EXPECT_EQ(e850.pairs.front(), (PairPoint{1.0f, 0.00008f}));
    EXPECT_EQ(e850.pairs[34], (PairPoint{0, 0}));
    EXPECT_GT(e850.pairs[35].x, 0.0f);
    EXPECT_LT(e850.pairs[35].y, 0.0f);
    EXPECT_EQ(e850.pairs.back().x, 1.0f);

    const PairFile e1212 =
        readPairFile((kCorpus / "dat/wing-creator_EPPLER-E1212MOD.dat").string());
    EXPECT_EQ(e1212.format, PairFileFormat::Lednicer);
    EXPECT_EQ(e1212.pairs.size(), 27u + 27u - 1u);

    const PairFile fx = readPairFile((kCorpus / "dat/wing-creator_wortman-fx-08-52.dat").string());
    EXPECT_EQ(fx.format, PairFileFormat::SurfacesFromLeadingEdge);
    ASSERT_EQ(fx.pairs.size(), 25u);
    EXPECT_EQ(fx.pairs.front(), (PairPoint{1, 0}));
    EXPECT_EQ(fx.pairs[12], (PairPoint{0, 0}));
}

TEST(PairFileCorpus, OddFilesReadAsAUserWouldExpect) {
    const PairFile twoShapes = readPairFile((kCorpus / "dat/uiuc-airinnova_s1221.dat").string());
    EXPECT_EQ(twoShapes.name, "S1221  w/o flap");
    EXPECT_EQ(twoShapes.pairs.front(), (PairPoint{1.00182f, 0.01052f}));

    const PairFile report = readPairFile((kCorpus / "dat/uiuc-airinnova_naca2412.dat").string());
    EXPECT_EQ(report.name, "NACA 2412");
    EXPECT_EQ(report.pairs.front(), (PairPoint{1, 0.0013f}));

    const PairFile zone = readPairFile((kCorpus / "dat/pygeo_rae2822.dat").string());
    EXPECT_TRUE(zone.name.starts_with("ZONE")) << zone.name;

    for (const char* latin : {"dat/uiuc-airinnova_goe187.dat", "dat/airfoileditor_HS-147.dat"}) {
        const PairFile file = readPairFile((kCorpus / latin).string());
        EXPECT_FALSE(file.name.empty());
        EXPECT_EQ(importedDatRows(file.pairs).size(), file.pairs.size());
    }
    EXPECT_EQ(readPairFile((kCorpus / "dat/airfoileditor_AG40d.dat").string()).name.rfind("AG", 0),
              0u);
}

}  // namespace
}  // namespace brondel::coordfiles
