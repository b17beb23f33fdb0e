// Format Linetype and Format Text Style: each change is one undo step, each
// refusal leaves the drawing as it was, and what they make reads the same in
// ezdxf (tests/tools/ezdxf_styles.py).
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>

#include "engine/current_styles.h"
#include "engine/drawing.h"
#include "engine/geometry.h"
#include "engine/io/drawing_files.h"
#include "engine/line_type_editor.h"
#include "engine/line_type_file.h"
#include "engine/multi_line_style_editor.h"
#include "engine/text_style_editor.h"
#include "tests/engine/typed_change.h"
#include "tests/support/ezdxf_tool.h"
#include "tests/support/fake_ports.h"
#include "tests/support/files.h"

namespace brondel::engine {
namespace {

// Beside good definitions: one the drawing has already (other case, other
// pattern), one with shapes, one with a bad number, one without a pattern.
constexpr const char* kOtherFile =
    "\xEF\xBB\xBF;; a file from elsewhere\r\n"
    "*Fence,Fence with a gap\r\nA,5,-2.5\r\n"
    "*dashed,Not ours\nA,1,-1\n"
    "*GAS,Gas line\nA,12.7,-5.08,[\"GAS\",STANDARD,S=2.54,X=-2.54,Y=-1.27],-6.35\n"
    "*BROKEN,Bad\nA,1,-x\n"
    "*EMPTY,No pattern\n"
    "*Dots,Dots\nA,0,-1\n";

const LineType* lineType(const Drawing& d, const std::string& name) {
    for (const LineType& t : d.lineTypes()) {
        if (t.name == name) {
            return &t;
        }
    }
    return nullptr;
}

const TextStyle* textStyle(const Drawing& d, const std::string& name) {
    for (const TextStyle& s : d.textStyles()) {
        if (s.name == name) {
            return &s;
        }
    }
    return nullptr;
}

// A drawing with the program's line types loaded as "dashed" already, a
// style Notes and a text and a block text that use it.
struct StyledDrawing {
    StyledDrawing() {
        d.addLineType(LineType{"dashed", "already here", {2, -1}});
        d.addTextStyle(TextStyle{"Notes"});
        const TextGeom text{.style = "notes"};
        d.add(Entity(text));
        d.setBlock("Tag", Block{"Tag", {}, 0, {Entity(text)}});
        brondel::testing::writeFile(other, kOtherFile);
    }
    Drawing d;
    brondel::testing::TempFolder folder;
    std::string other = folder.file("other.lin");
};

TEST(LineTypeTextStyle, ChangesAreOneUndoStepAndRefusalsChangeNothing) {
    using Check = std::function<void(const Drawing&)>;
    struct Row {
        bool lineTypes;  // else text styles
        std::string typed;
        std::string refused;  // start of the refusal, "" when applied
        Check check;
    };
    const Check none = [](const Drawing&) {};
    const Row rows[] = {
        {true, "current Fence", "No line type named", none},
        {true, "current byblock", "",
         [](const Drawing& d) { EXPECT_EQ(d.header().currentLineType, "BYBLOCK"); }},
        {true, "current dashed", "",
         [](const Drawing& d) { EXPECT_EQ(d.header().currentLineType, "dashed"); }},
        {true, "load", "",
         [](const Drawing& d) {
             EXPECT_EQ(d.lineTypes().size(), 8u);  // DASHED was there
             EXPECT_EQ(lineType(d, "dashed")->pattern, (std::vector<double>{2, -1}));
             EXPECT_EQ(lineType(d, "CENTER")->pattern,
                       (std::vector<double>{31.75, -6.35, 6.35, -6.35}));
         }},
        {true, "load OTHER", "",
         [](const Drawing& d) {
             EXPECT_EQ(d.lineTypes().size(), 3u);
             EXPECT_EQ(lineType(d, "Fence")->pattern, (std::vector<double>{5, -2.5}));
             EXPECT_EQ(lineType(d, "Fence")->description, "Fence with a gap");
             EXPECT_EQ(lineType(d, "Dots")->pattern, (std::vector<double>{0, -1}));
             EXPECT_EQ(lineType(d, "dashed")->description, "already here");
         }},
        {true, "load /no/such/file.lin", "Cannot read /no/such/file.lin", none},
        {true, "load OTHER extra", "Not understood", none},
        {false, "add Notes", "A text style named \"Notes\" exists", none},
        {false, "add STANDARD", "A text style named \"STANDARD\" exists", none},
        {false, "add \"\"", "A name is needed", none},
        {false, "add A<B", "A name cannot hold <", none},
        {false, "add Titles", "",
         [](const Drawing& d) { EXPECT_EQ(textStyle(d, "Titles")->font, "txt"); }},
        {false, "current notes", "",
         [](const Drawing& d) { EXPECT_EQ(d.header().currentTextStyle, "Notes"); }},
        {false, "current Nope", "No text style named", none},
        {false, "rename Notes Labels", "",
         [](const Drawing& d) {
             EXPECT_EQ(textStyle(d, "Notes"), nullptr);
             ASSERT_NE(textStyle(d, "Labels"), nullptr);
             EXPECT_EQ(geomIf<TextGeom>(d.entity(d.firstLive()))->style, "Labels");
             EXPECT_EQ(geomIf<TextGeom>(d.findBlock("Tag")->entities[0])->style, "Labels");
         }},
        {false, "rename Notes standard", "A text style named \"standard\" exists", none},
        {false, "rename STANDARD Plain", "STANDARD keeps its name", none},
        {false, "rename Notes a|b", "A name cannot hold |", none},
        {false, "font Notes romans", "No font named \"romans\"", none},
        {false, "font Notes TXT", "",
         [](const Drawing& d) { EXPECT_EQ(textStyle(d, "Notes")->font, "txt"); }},
        {false, "height Notes -1", "A text height is", none},
        {false, "height Notes 2.5", "",
         [](const Drawing& d) { EXPECT_EQ(textStyle(d, "Notes")->height, 2.5); }},
        {false, "width Notes 0", "A width factor is", none},
        {false, "width Notes nan", "Not a number", none},
        {false, "width Notes 0.8", "",
         [](const Drawing& d) { EXPECT_EQ(textStyle(d, "Notes")->widthFactor, 0.8); }},
        {false, "oblique Notes 90", "An oblique angle is", none},
        {false, "oblique Notes -15", "",
         [](const Drawing& d) {
             EXPECT_DOUBLE_EQ(textStyle(d, "Notes")->oblique, -15 * kPi / 180);
         }},
        {false, "height Nope 1", "No text style named", none},
    };
    for (const Row& row : rows) {
        StyledDrawing s;
        std::string typed = row.typed;
        if (const std::size_t at = typed.find("OTHER"); at != std::string::npos) {
            typed.replace(at, 5, s.other);
        }
        LineTypeEditor lineTypes(s.d);
        TextStyleEditor textStyles(s.d);
        TableEditor& editor = row.lineTypes ? static_cast<TableEditor&>(lineTypes) : textStyles;
        testing::expectTypedChange(s.d, editor, typed, row.refused, row.check);
    }
}

TEST(LineTypeTextStyle, LoadNamesWhatWasLeftOut) {
    StyledDrawing s;
    LineTypeEditor editor(s.d);
    ASSERT_EQ(editor.load(s.other), "");
    for (const char* name : {"GAS: it holds text or shapes", "BROKEN: \"-x\" is not a length",
                             "EMPTY: it has no pattern line", "1 the drawing had already"}) {
        EXPECT_NE(editor.prompt().find(name), std::string::npos) << name;
    }
    // The file the package installs is the one the engine loads by itself.
    const std::string text =
        brondel::testing::readFile(std::string(BRONDEL_SOURCE_DIR) + "/packaging/brondel.lin");
    EXPECT_EQ(text, ownLineTypeFile());
    EXPECT_EQ(parseLineTypes(text).types.size(), 8u);
    const LineTypeFile nothing = parseLineTypes("*ONLY,[shapes]\nA,1,[\"X\",S],-1\n");
    EXPECT_TRUE(nothing.types.empty());
    EXPECT_EQ(editor.command("load " + s.folder.file("none.lin")).rfind("Cannot read", 0), 0u);
}

TEST(LineTypeTextStyle, NewEntitiesTakeTheCurrentLineTypeAndStyle) {
    StyledDrawing s;
    ASSERT_EQ(LineTypeEditor(s.d).command("current dashed"), "");
    TextStyleEditor styles(s.d);
    ASSERT_EQ(styles.command("width Notes 0.75"), "");
    ASSERT_EQ(styles.command("current Notes"), "");
    Entity text{TextGeom{}};
    takeCurrentTextStyle(s.d, text);
    EXPECT_EQ(currentProps(s.d, {}).lineType, "dashed");
    EXPECT_EQ(geomIf<TextGeom>(text)->style, "Notes");
    EXPECT_EQ(geomIf<TextGeom>(text)->widthFactor, 0.75);
    ASSERT_EQ(LineTypeEditor(s.d).command("current ByLayer"), "");
    EXPECT_EQ(currentProps(s.d, {}).lineType, "");
}

// Made with the editors (the multi-line style's too), saved and read by ezdxf; our own reading back
// of the tables is settings_roundtrip_test's.
TEST(LineTypeTextStyle, EzdxfReadsTheTablesAndCurrentValues) {
    StyledDrawing s;
    LineTypeEditor lineTypes(s.d);
    TextStyleEditor textStyles(s.d);
    for (const char* typed : {"load", "current CENTER"}) {
        ASSERT_EQ(lineTypes.command(typed), "") << typed;
    }
    for (const char* typed : {"add Titles", "height Titles 5", "width Titles 0.8",
                              "oblique Titles 15", "current Titles"}) {
        ASSERT_EQ(textStyles.command(typed), "") << typed;
    }
    MultiLineStyleEditor multiLines(s.d);
    for (const char* typed : {"offsets 1 0 -1", "colors 1 bylayer 5", "scale 2"}) {
        ASSERT_EQ(multiLines.command(typed), "") << typed;
    }
    const std::string dxf = s.folder.file("styles.dxf");
    io::writeDxf(s.d, dxf);

    ASSERT_TRUE(brondel::testing::ezdxfInstalled()) << "install python3-ezdxf to run this test";
    const nlohmann::json read = brondel::testing::ezdxfRead("ezdxf_styles.py", dxf);
    EXPECT_EQ(read["auditErrors"], 0);
    EXPECT_EQ(read["currentLineType"], "CENTER");
    EXPECT_EQ(read["currentTextStyle"], "Titles");
    EXPECT_EQ(read["lineTypes"]["CENTER"], nlohmann::json({31.75, -6.35, 6.35, -6.35}));
    EXPECT_EQ(read["lineTypes"]["DOT"], nlohmann::json({0.0, -6.35}));
    EXPECT_EQ(read["textStyles"]["Titles"], nlohmann::json({"txt", 5.0, 0.8, 15.0}));
    EXPECT_EQ(read["multiLine"], nlohmann::json::parse("[[[1.0, 1], [0.0, 256], [-1.0, 5]], 2.0]"));
}

}  // namespace
}  // namespace brondel::engine
