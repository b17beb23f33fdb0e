#include <gtest/gtest.h>

#include <charconv>
#include <nlohmann/json.hpp>
#include <string_view>

#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/files.h"

// Extended data read from a DXF file is kept on its entity, written back on
// save, and read again the same.
namespace brondel::engine {
namespace {

// Groups written "code|value|code|value", each part a line of the file.
std::string dxf(std::initializer_list<std::string_view> groups) {
    std::string text;
    for (const std::string_view part : groups) {
        for (const char c : part) {
            text += c == '|' ? '\n' : c;
        }
        text += '\n';
    }
    return text;
}

// One entity of each way our writer closes an entity: a plain LINE, an
// LWPOLYLINE and a 3-D POLYLINE (whose data goes before its vertices); two
// applications on one entity, every kind of value, a value before any
// application (dropped), and an entity without any.
const std::string kFile = dxf({
    "0|SECTION|2|ENTITIES",
    "0|LINE|8|0|10|0|20|0|11|10|21|0",
    "1000|orphan",
    "1001|BRONDEL_CAM|1002|{|1000|drill \\U+00D85|1070|5|1071|70000|1040|2.5",
    "1010|1.5|1020|2.5|1030|0|1005|1F|1004|0A0B|1002|}",
    "1001|OtherApp|1003|LAYER2",
    "0|LWPOLYLINE|8|0|90|2|70|0|10|0|20|0|10|5|20|5",
    "1001|BRONDEL_CAM|1000|contour",
    "0|POLYLINE|8|0|66|1|70|8",
    "1001|BRONDEL_CAM|1041|3.5",
    "0|VERTEX|8|0|70|32|10|0|20|0|30|0",
    "0|VERTEX|8|0|70|32|10|1|20|1|30|1",
    "0|SEQEND",
    "0|CIRCLE|8|0|10|0|20|0|40|1",
    "0|ENDSEC|0|EOF",
});

const XData kLine = {{"BRONDEL_CAM",
                      {{1002, "{"},
                       {1000, "drill \u00d85"},
                       {1070, "5"},
                       {1071, "70000"},
                       {1040, "2.5"},
                       {1010, "1.5"},
                       {1020, "2.5"},
                       {1030, "0"},
                       {1005, "1F"},
                       {1004, "0A0B"},
                       {1002, "}"}}},
                     {"OtherApp", {{1003, "LAYER2"}}}};
const XData kLwPolyline = {{"BRONDEL_CAM", {{1000, "contour"}}}};
const XData kPolyline3d = {{"BRONDEL_CAM", {{1041, "3.5"}}}};

void expectData(const std::vector<Entity>& entities) {
    ASSERT_EQ(entities.size(), 4u);
    const XData* expected[] = {&kLine, &kLwPolyline, &kPolyline3d, nullptr};
    for (std::size_t i = 0; i < entities.size(); ++i) {
        SCOPED_TRACE("entity " + std::to_string(i));
        if (!expected[i]) {
            EXPECT_FALSE(entities[i].xdata());
            continue;
        }
        ASSERT_TRUE(entities[i].xdata());
        EXPECT_EQ(*entities[i].xdata(), *expected[i]);
    }
    const auto* pl = geomIf<PolylineGeom>(entities[2]);
    ASSERT_NE(pl, nullptr);
    EXPECT_EQ(pl->vertices.size(), 2u);  // the data did not swallow a vertex
}

TEST(ExtendedData, IsReadKeptWrittenAndReadBackTheSame) {
    DrawingContent read = io::readDxfBuffer(kFile);
    expectData(read.entities);

    Drawing drawing;
    drawing.load(std::move(read));
    const brondel::testing::TempFolder folder;
    io::writeDxf(drawing, folder.file("xdata.dxf"));
    expectData(io::readDxf(folder.file("xdata.dxf")).entities);

    // Other programs look the applications up in the APPID table.
    const std::string text = brondel::testing::readFile(folder.file("xdata.dxf"));
    const auto table = text.find("\nAPPID\n");
    ASSERT_NE(table, std::string::npos);
    for (const char* app : {"\nBRONDEL_CAM\n", "\nOtherApp\n"}) {
        EXPECT_LT(text.find(app, table), text.find("\nENDTAB\n", table)) << app;
    }
}

bool sameValue(const nlohmann::json& theirs, const std::string& ours) {
    if (theirs.is_string()) {
        return theirs.get<std::string>() == ours;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(ours.data(), ours.data() + ours.size(), value);
    return error == std::errc() && end == ours.data() + ours.size() &&
           theirs.get<double>() == value;
}

TEST(ExtendedData, EzdxfReadsWhatWeWrite) {
    if (!brondel::testing::ezdxfInstalled()) {
        GTEST_SKIP() << "ezdxf is not installed for /usr/bin/python3";
    }
    Drawing drawing;
    drawing.load(io::readDxfBuffer(kFile));
    const brondel::testing::TempFolder folder;
    io::writeDxf(drawing, folder.file("xdata.dxf"));
    const nlohmann::json theirs =
        brondel::testing::ezdxfRead("ezdxf_xdata.py", folder.file("xdata.dxf"));
    const XData* ours[] = {&kLine, &kLwPolyline, &kPolyline3d, nullptr};
    ASSERT_EQ(theirs.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE("entity " + std::to_string(i));
        const nlohmann::json& apps = theirs[i];
        ASSERT_EQ(apps.size(), ours[i] ? ours[i]->size() : 0u);
        for (std::size_t a = 0; a < apps.size(); ++a) {
            const XDataApp& app = (*ours[i])[a];
            EXPECT_EQ(apps[a][0].get<std::string>(), app.name);
            const nlohmann::json& groups = apps[a][1];
            ASSERT_EQ(groups.size(), app.groups.size());
            for (std::size_t g = 0; g < groups.size(); ++g) {
                EXPECT_EQ(groups[g][0].get<int>(), app.groups[g].code);
                EXPECT_TRUE(sameValue(groups[g][1], app.groups[g].value))
                    << groups[g][1] << " / " << app.groups[g].value;
            }
        }
    }
}

TEST(ExtendedData, MatchesByApplicationAndValue) {
    struct Case {
        const char* app;
        const char* value;
        bool matches;
    };
    const Case cases[] = {
        {"brondel_cam", "", true},    {"BRONDEL_CAM", "5", true},
        {"brondel_cam", "5.0", true}, {"brondel_cam", "DRILL \u00d85", true},
        {"brondel_cam", "6", false},  {"otherapp", "layer2", true},
        {"otherapp", "5", false},     {"third", "", false},
        {"brondel_cam", "1f", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(xdataMatches(kLine, c.app, c.value), c.matches) << c.app << " / " << c.value;
    }
}

}  // namespace
}  // namespace brondel::engine
