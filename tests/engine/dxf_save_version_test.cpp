#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "engine/cad.h"
#include "engine/io/drawing_files.h"
#include "engine/vecad.h"
#include "tests/engine/vecad_session.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/files.h"

// A drawing opened and saved keeps its file's DXF version, and ezdxf reads
// the saved file with the geometry of the original.
namespace brondel::engine {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Numbers agree to the last few bits; everything else exactly.
bool same(const json& a, const json& b) {
    if (a.is_number() && b.is_number()) {
        const double x = a, y = b;
        return std::fabs(x - y) <= 1e-9 * std::max({1.0, std::fabs(x), std::fabs(y)});
    }
    if (a.type() != b.type() || a.size() != b.size()) {
        return false;
    }
    if (a.is_array()) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!same(a[i], b[i])) {
                return false;
            }
        }
        return true;
    }
    if (a.is_object()) {
        for (const auto& [key, value] : a.items()) {
            if (!b.contains(key) || !same(value, b[key])) {
                return false;
            }
        }
        return true;
    }
    return a == b;
}

struct Case {
    const char* file;
    const char* savedAs;
};

class SaveKeepsVersion : public ::testing::TestWithParam<Case> {
  protected:
    void TearDown() override { CadPutKeepBackup(true); }
    brondel::testing::TempFolder folder_;
};

TEST_P(SaveKeepsVersion, AndEzdxfReadsTheSameGeometry) {
    const fs::path original = fs::path(BRONDEL_CORPUS_DIR) / "dxf" / GetParam().file;
    const fs::path copy = folder_.path() / "drawing.dxf";
    fs::copy_file(original, copy);
    CadPutKeepBackup(true);

    Vecad control;
    control.FileOpen(copy.string());
    control.FileSave();

    io::ReadReport report;
    io::readDxf(copy.string(), &report);
    EXPECT_EQ(report.version, GetParam().savedAs);
    const json before = brondel::testing::ezdxfRead("ezdxf_dump.py", original.string());
    const json after = brondel::testing::ezdxfRead("ezdxf_dump.py", copy.string());
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(same(before[i], after[i])) << i << ": " << before[i] << "\n" << after[i];
    }
    // The replaced file stays beside it, byte for byte.
    EXPECT_EQ(brondel::testing::readFile(folder_.file("drawing.bak")),
              brondel::testing::readFile(original.string()));

    CadPutKeepBackup(false);
    fs::remove(folder_.path() / "drawing.bak");
    control.FileSave();
    EXPECT_FALSE(fs::exists(folder_.path() / "drawing.bak"));
}

INSTANTIATE_TEST_SUITE_P(Corpus, SaveKeepsVersion,
                         ::testing::Values(Case{"libredwg_example_r12.dxf", "AC1009"},
                                           Case{"ezdxf_POLI-ALL210_12.DXF", "AC1009"},
                                           Case{"ezdxf_cc_dxflib.dxf", "AC1009"},
                                           Case{"openscad_far-out-shape.dxf",
                                                "AC1009"},  // AC1006, R10
                                           Case{"ezdxf_small_r13.dxf", "AC1015"},
                                           Case{"bjnortier-dxf_squareandcircle.dxf", "AC1015"}));

// What R12 cannot hold is converted, and the command window says so.
TEST(SaveAsR12, NamesWhatItConverted) {
    brondel::testing::TempFolder folder;
    Vecad control;
    testing::RecordingListener listener;
    control.setListener(&listener);
    control.drawing().add(Entity(EllipseGeom{{0, 0, 0}, {4, 0, 0}, 0.5, 0, 6.283185307179586}));
    control.AddLine(0, 0, 0, 1, 1, 0);
    control.PutDxfVersion(io::DxfVersion::R12);
    control.FileSaveAs(folder.file("plan.dxf"));
    ASSERT_FALSE(listener.lines.empty());
    EXPECT_EQ(listener.lines.back(), "Saved as DXF R12: 1 ELLIPSE as POLYLINE");

    Vecad reread;
    reread.FileOpen(folder.file("plan.dxf"));
    EXPECT_EQ(reread.GetDxfVersion(), io::DxfVersion::R12);
    EXPECT_EQ(reread.GetNumEntities(), 2);
}

}  // namespace
}  // namespace brondel::engine
