// What Format Layers, Format Colors, Format Line Weight, Format Dimension
// Style and the block commands save, ezdxf reads back the same (tests/tools/ezdxf_tables.py).
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

TEST(FormatEzdxf, LayersBlocksAndCurrentPropertiesReadTheSame) {
    ASSERT_TRUE(brondel::testing::ezdxfInstalled()) << "install python3-ezdxf to run this test";
    Drawing d;
    LayerEditor layers(d);
    for (const char* typed : {"add Walls", "color Walls 3", "weight Walls 50", "lock Walls",
                              "add Hidden", "off Hidden", "freeze Hidden", "current Walls"}) {
        ASSERT_EQ(layers.command(typed), "") << typed;
    }
    ASSERT_EQ(CurrentPropertiesEditor(d, CurrentPropertiesEditor::Kind::Color).command("5"), "");
    ASSERT_EQ(CurrentPropertiesEditor(d, CurrentPropertiesEditor::Kind::LineWeight).command("35"),
              "");
    DimStyleEditor dimStyle(d);
    for (const char* typed : {"height 3.5", "arrow 3", "decimals 4", "text centred", "centre 5"}) {
        ASSERT_EQ(dimStyle.command(typed), "") << typed;
    }
    d.setBlock("Peg", Block{"Peg", {}, 0, {Entity(CircleGeom{{0, 0, 0}, 1})}});
    d.add(Entity(InsertGeom{"Peg", {20, 30, 0}, {2, 2, 2}, kPi / 2}));

    brondel::testing::TempFolder folder;
    const std::string path = folder.file("tables.dxf");
    io::writeDxf(d, path);
    const json read = brondel::testing::ezdxfRead("ezdxf_tables.py", path);

    EXPECT_EQ(read["auditErrors"], 0);
    for (const Layer& l : d.layers()) {
        SCOPED_TRACE(l.name);
        const json& layer = read["layers"][l.name];
        EXPECT_EQ(layer["color"], l.color.aci);
        EXPECT_EQ(layer["on"], l.on);
        EXPECT_EQ(layer["frozen"], l.frozen);
        EXPECT_EQ(layer["locked"], l.locked);
        EXPECT_EQ(layer["lineWeight"], l.lineWeight);
    }
    EXPECT_EQ(read["currentLayer"], "Walls");
    EXPECT_EQ(read["currentColor"], 5);
    EXPECT_EQ(read["currentLineWeight"], 35);
    const json& dim = read["dimStyle"];
    EXPECT_EQ(dim["dimtxt"], 3.5);
    EXPECT_EQ(dim["dimasz"], 3.0);
    EXPECT_EQ(dim["dimdec"], 4);
    EXPECT_EQ(dim["dimtad"], 0);
    EXPECT_EQ(dim["dimcen"], 5.0);
    EXPECT_EQ(read["blocks"], (json{{"Peg", 1}}));
    EXPECT_EQ(read["inserts"], (json::array({json::array({"Peg", 20.0, 30.0, 2.0, 90.0})})));
}

}  // namespace
}  // namespace brondel::engine
