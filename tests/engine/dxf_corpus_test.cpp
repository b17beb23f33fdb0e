#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/error.h"
#include "engine/io/drawing_files.h"

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
            try {
                readDxf(path);
                ADD_FAILURE() << "expected a refusal";
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), refused->second) << e.what();
            }
            continue;
        }
        ReadReport report;
        DrawingContent content;
        ASSERT_NO_THROW(content = readDxf(path, &report));
        EXPECT_EQ(report.counts, parseCounts(row.counts));
        // Everything counted is either in the drawing or reported as skipped.
        std::size_t counted = 0, skipped = 0;
        for (const auto& [kind, n] : report.counts)
            counted += n;
        for (const auto& [kind, n] : report.skipped) {
            if (kind.find('(') == std::string::npos)
                skipped += n;
        }
        std::size_t meshes = 0;
        for (const auto& [kind, n] : report.skipped) {
            if (kind.rfind("POLYLINE (p", 0) == 0)
                meshes += n;
        }
        std::size_t attributes = 0;
        for (const auto& e : content.entities) {
            (void)e;
        }
        EXPECT_LE(content.entities.size() + skipped + meshes, counted + content.entities.size());
        EXPECT_GE(content.entities.size() + skipped + meshes, counted) << attributes;
    }
}

}  // namespace
}  // namespace brondel::engine::io
