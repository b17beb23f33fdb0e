// What the Format editors set lives in the header and the tables: each
// setting, at a value that is not its default, comes back from DXF 2000, from
// R12 where R12 has a place for it, and from VEC. The editors' own tests
// check that typed changes reach these fields.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/drawing.h"
#include "engine/io/drawing_files.h"
#include "tests/engine/every_kind_drawing.h"
#include "tests/support/fake_ports.h"

namespace brondel::engine {
namespace {

DrawingContent settings(Color color, std::int16_t weight) {
    DrawingContent c = testing::everyKindContent();
    c.entities.clear();
    c.blocks.clear();
    std::swap(c.layers[1], c.layers[2]);  // 0, Hidden, Cut: not in the order of their names
    DrawingHeader& h = c.header;
    h.currentColor = color;
    h.currentLineWeight = weight;
    h.dimStyle = {"STANDARD", 3.5, 3, 1, 2, 0.75, 3, 5, 1, false};
    h.pointMode = 35;
    h.pointSize = -7.5;
    h.multiLineOffsets = {0.75, 0, -0.25};
    h.multiLineScale = 4;
    h.multiLineColors = {Color{5, -1}, Color{}, Color{7, 0x0a141e}};
    h.currentLineType = "DASHED";
    h.currentTextStyle = "Narrow";
    return c;
}

template <class T>
const T* named(const std::vector<T>& table, const std::string& name) {
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const T& t) { return t.name == name; });
    return found == table.end() ? nullptr : &*found;
}

TEST(SettingsRoundTrip, HeaderAndTablesComeBackFromEveryFormat) {
    enum class Format { Dxf2000, R12, Vec };
    brondel::testing::TempFolder folder;
    for (const auto& [color, weight] :
         {std::pair{Color{5, -1}, std::int16_t(25)},
          std::pair{Color{Color::kByBlock, -1}, lineweight::kDefault}}) {
        const DrawingContent original = settings(color, weight);
        Drawing d;
        d.load(original);
        for (const Format format : {Format::Dxf2000, Format::R12, Format::Vec}) {
            SCOPED_TRACE(std::to_string(int(format)) + " colour " + std::to_string(color.aci));
            DrawingContent back;
            if (format == Format::Vec) {
                io::writeVec(d, folder.file("settings.vec"));
                back = io::readVec(folder.file("settings.vec"));
            } else {
                io::WriteOptions options;
                options.dxfVersion =
                    format == Format::R12 ? io::DxfVersion::R12 : io::DxfVersion::R2000;
                io::writeDxf(d, folder.file("settings.dxf"), {}, options);
                back = io::readDxf(folder.file("settings.dxf"));
            }
            const DrawingHeader& want = original.header;
            DimStyle dimStyle = want.dimStyle;
            if (format == Format::R12) {
                dimStyle.decimals = DimStyle{}.decimals;  // R12 has no DIMDEC
            }
            EXPECT_EQ(back.header.dimStyle, dimStyle);
            EXPECT_EQ(back.header.pointMode, want.pointMode);
            EXPECT_EQ(back.header.pointSize, want.pointSize);
            if (format == Format::R12) {
                continue;
            }
            EXPECT_EQ(back.header.currentColor, want.currentColor);
            EXPECT_EQ(back.header.currentLineWeight, want.currentLineWeight);
            EXPECT_EQ(back.header.currentLineType, want.currentLineType);
            EXPECT_EQ(back.header.currentTextStyle, want.currentTextStyle);
            EXPECT_EQ(back.header.multiLineOffsets, want.multiLineOffsets);
            EXPECT_EQ(back.header.multiLineScale, want.multiLineScale);
            std::vector<Color> colors = want.multiLineColors;
            if (format == Format::Dxf2000) {
                colors.back().trueColor = -1;  // the style's lines hold colour numbers only
            }
            EXPECT_EQ(back.header.multiLineColors, colors);
            EXPECT_EQ(back.currentLayer, original.currentLayer);
            std::vector<std::string> order;
            for (const Layer& layer : back.layers) {
                order.push_back(layer.name);
                if (const Layer* was = named(original.layers, layer.name)) {
                    EXPECT_EQ(layer, *was);
                }
            }
            EXPECT_EQ(order, (std::vector<std::string>{"0", "Hidden", "Cut"}));
            for (const LineType& t : original.lineTypes) {
                ASSERT_NE(named(back.lineTypes, t.name), nullptr) << t.name;
                EXPECT_EQ(named(back.lineTypes, t.name)->pattern, t.pattern);
            }
            for (const TextStyle& s : original.textStyles) {
                const TextStyle* read = named(back.textStyles, s.name);
                ASSERT_NE(read, nullptr) << s.name;
                EXPECT_EQ(read->font, s.font);
                EXPECT_EQ(read->bigFont, s.bigFont);
                EXPECT_EQ(read->height, s.height);
                EXPECT_EQ(read->widthFactor, s.widthFactor);
                EXPECT_NEAR(read->oblique, s.oblique, 1e-12);  // DXF keeps degrees
            }
        }
    }
}

}  // namespace
}  // namespace brondel::engine
