// Format Colors and Format Line Weight: what new entities take, one undo
// step a change.
#include <gtest/gtest.h>

#include "engine/current_properties_editor.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using Kind = CurrentPropertiesEditor::Kind;

struct Row {
    Kind kind;
    std::string typed;
    std::string refusal;  // part of the answer; "" when applied
    Color color;          // the current colour afterwards (Color rows)
    int weight;           // the current weight afterwards (LineWeight rows)
};

TEST(CurrentProperties, TypedValuesAreTakenOrRefusedInPlace) {
    const Color byLayer{};
    const Row rows[] = {
        {Kind::Color, "ByBlock", "", Color{0, -1}, 0},
        {Kind::Color, "bylayer", "", byLayer, 0},
        {Kind::Color, "1", "", Color{1, -1}, 0},
        {Kind::Color, "255", "", Color{255, -1}, 0},
        {Kind::Color, "255,128,0", "", Color{7, 0xFF8000}, 0},
        {Kind::Color, "0", "1 to 255", byLayer, 0},
        {Kind::Color, "256", "1 to 255", byLayer, 0},
        {Kind::Color, "-4", "1 to 255", byLayer, 0},
        {Kind::Color, "1,2", "Not a colour", byLayer, 0},
        {Kind::Color, "1,2,256", "Not a colour", byLayer, 0},
        {Kind::Color, "red", "Not a colour", byLayer, 0},
        {Kind::LineWeight, "35", "", {}, 35},
        {Kind::LineWeight, "0", "", {}, 0},
        {Kind::LineWeight, "default", "", {}, lineweight::kDefault},
        {Kind::LineWeight, "ByBlock", "", {}, lineweight::kByBlock},
        {Kind::LineWeight, "36", "Not a line weight", {}, lineweight::kByLayer},
        {Kind::LineWeight, "212", "Not a line weight", {}, lineweight::kByLayer},
        {Kind::LineWeight, "-1", "Not a line weight", {}, lineweight::kByLayer},
        {Kind::LineWeight, "thin", "Not a line weight", {}, lineweight::kByLayer},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        Drawing d;
        const std::uint64_t version = d.version();
        CurrentPropertiesEditor editor(d, row.kind);
        const std::string answer = editor.command(row.typed);
        if (row.refusal.empty()) {
            EXPECT_EQ(answer, "");
        } else {
            EXPECT_NE(answer.find(row.refusal), std::string::npos) << answer;
            EXPECT_EQ(d.version(), version);
        }
        if (row.kind == Kind::Color) {
            EXPECT_EQ(d.header().currentColor, row.color);
        } else {
            EXPECT_EQ(d.header().currentLineWeight, row.weight);
        }
    }
}

TEST(CurrentProperties, NewEntitiesTakeThemAndUndoGivesThemBack) {
    testing::VecadSession s;
    CurrentPropertiesEditor colors(s.v.drawing(), Kind::Color);
    CurrentPropertiesEditor weights(s.v.drawing(), Kind::LineWeight);
    ASSERT_EQ(colors.command("3"), "");
    EXPECT_EQ(s.v.drawing().undoLabel(), "Format Colors");
    ASSERT_EQ(weights.command("50"), "");
    EXPECT_EQ(s.v.drawing().undoLabel(), "Format Line Weight");
    s.v.Execute(command::kDrawLine);
    s.press(0, 0);
    s.press(10, 0);
    s.v.commandKey(13);
    const Entity& line = s.v.drawing().entity(s.v.drawing().firstLive());
    EXPECT_EQ(line.props().color.aci, 3);
    EXPECT_EQ(line.props().lineWeight, 50);
    s.v.Execute(command::kUndo);  // the line
    s.v.Execute(command::kUndo);  // the weight
    EXPECT_EQ(s.v.drawing().header().currentLineWeight, lineweight::kByLayer);
    EXPECT_EQ(s.v.drawing().header().currentColor.aci, 3);
}

}  // namespace
}  // namespace brondel::engine
