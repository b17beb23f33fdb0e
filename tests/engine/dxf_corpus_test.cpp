#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/error.h"
#include "engine/io/drawing_files.h"
#include "tests/support/thrown.h"

namespace brondel::engine::io {
namespace {

struct ManifestRow {
    std::string file;
    std::string counts;  // "ARC:20 CIRCLE:9 ..." or "(none)" / "(not read)"
};

std::vector<ManifestRow> dxfRows() {
    std::ifstream in(std::string(BRONDEL_CORPUS_DIR) + "/MANIFEST.tsv");
    std::vector<ManifestRow> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> cols;
        std::stringstream ss(line);
        std::string col;
        while (std::getline(ss, col, '\t'))
            cols.push_back(col);
        if (cols.size() > 9 && cols[0].rfind("dxf/", 0) == 0) {
            rows.push_back({cols[0], cols[9]});
        }
    }
    return rows;
}

std::map<std::string, std::size_t> parseCounts(const std::string& text) {
    std::map<std::string, std::size_t> counts;
    std::stringstream ss(text);
    std::string item;
    while (ss >> item) {
        const auto colon = item.find(':');
        if (colon == std::string::npos)
            continue;
        counts[item.substr(0, colon)] = std::stoul(item.substr(colon + 1));
    }
    return counts;
}

// Files the reader refuses on purpose, with the reason.
const std::map<std::string, int> kRefused = {
    // AutoCAD 1.4 wrote comma-separated records, not group codes.
    {"dxf/libredwg_r1.4_entities.dxf", err::kNotDxf},
};

TEST(DxfCorpus, EveryFileOpensWithTheReferenceCounts) {
    const auto rows = dxfRows();
    ASSERT_GT(rows.size(), 30u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string path = std::string(BRONDEL_CORPUS_DIR) + "/" + row.file;
        auto refused = kRefused.find(row.file);
        if (refused != kRefused.end()) {
            EXPECT_EQ(brondel::testing::thrown([&] { readDxf(path); }).number, refused->second);
            continue;
        }
        ReadReport report;
        DrawingContent content;
        ASSERT_NO_THROW(content = readDxf(path, &report));
        EXPECT_EQ(report.counts, parseCounts(row.counts));
        // Everything counted is in the drawing, held by a leader as its
        // annotation, or reported as skipped; the drawing holds more only by
        // the attributes that follow inserts.
        std::size_t counted = 0, left = 0, texts = 0;
        for (const auto& [kind, n] : report.counts)
            counted += n;
        for (const auto& [kind, n] : report.skipped) {
            const bool topLevel = kind.find('(') == std::string::npos;
            if (topLevel || kind.rfind("POLYLINE (p", 0) == 0)
                left += n;
        }
        for (const auto& e : content.entities) {
            texts += e.type() == EntityType::Text;
            const auto* leader = geomIf<LeaderGeom>(e);
            left += leader && !leader->annotation.text.empty();
        }
        EXPECT_GE(content.entities.size() + left, counted);
        EXPECT_LE(content.entities.size() + left, counted + texts);
    }
}

}  // namespace
}  // namespace brondel::engine::io
