// The current layer, colour and line weight and the dimension style the
// Format editors save, ezdxf reads back the same (tests/tools/ezdxf_tables.py);
// the layers themselves and block references are the DXF writer test's.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "engine/current_properties_editor.h"
#include "engine/dimension_style_editor.h"
#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "engine/layer_editor.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/fake_ports.h"

namespace brondel::engine {
namespace {

using nlohmann::json;

TEST(FormatEzdxf, CurrentPropertiesAndDimensionStyleReadTheSame) {
    ASSERT_TRUE(brondel::testing::ezdxfInstalled()) << "install python3-ezdxf to run this test";
    Drawing d;
    LayerEditor layers(d);
    for (const char* typed : {"add Walls", "current Walls"}) {
        ASSERT_EQ(layers.command(typed), "") << typed;
    }
    ASSERT_EQ(CurrentPropertiesEditor(d, CurrentPropertiesEditor::Kind::Color).command("5"), "");
    ASSERT_EQ(CurrentPropertiesEditor(d, CurrentPropertiesEditor::Kind::LineWeight).command("35"),
              "");
    DimStyleEditor dimStyle(d);
    for (const char* typed : {"height 3.5", "arrow 3", "decimals 4", "text centred", "centre 5"}) {
        ASSERT_EQ(dimStyle.command(typed), "") << typed;
    }

    brondel::testing::TempFolder folder;
    const std::string path = folder.file("tables.dxf");
    io::writeDxf(d, path);
    const json read = brondel::testing::ezdxfRead("ezdxf_tables.py", path);

    EXPECT_EQ(read["auditErrors"], 0);
    EXPECT_EQ(read["currentLayer"], "Walls");
    EXPECT_EQ(read["currentColor"], 5);
    EXPECT_EQ(read["currentLineWeight"], 35);
    const json& dim = read["dimStyle"];
    EXPECT_EQ(dim["dimtxt"], 3.5);
    EXPECT_EQ(dim["dimasz"], 3.0);
    EXPECT_EQ(dim["dimdec"], 4);
    EXPECT_EQ(dim["dimtad"], 0);
    EXPECT_EQ(dim["dimcen"], 5.0);
}

}  // namespace
}  // namespace brondel::engine
