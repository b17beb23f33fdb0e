// Create Block, Insert Block and Format Blocks: names refused as DXF
// refuses them, one undo step each. Blocks in files are the every-kind round
// trips'.
#include <gtest/gtest.h>

#include <optional>

#include "engine/block_editor.h"
#include "engine/shape.h"
#include "tests/engine/typed_change.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

// Two lines selected, made into block `name` about (10, 0).
void createBlock(VecadSession& s, const std::string& name) {
    s.v.AddLine(10, 0, 0, 20, 0, 0);
    s.v.AddLine(10, 0, 0, 10, 5, 0);
    s.v.SelectEntity(s.v.drawing().firstLive(), true);
    s.v.SelectEntity(s.v.drawing().nextLive(s.v.drawing().firstLive()), true);
    s.v.Execute(command::kCreateBlock);
    s.v.commandInput(name);
    s.v.commandInput("10,0");
}

std::vector<Handle> live(const Drawing& d) {
    std::vector<Handle> out;
    for (Handle h = d.firstLive(); h != 0; h = d.nextLive(h)) {
        out.push_back(h);
    }
    return out;
}

TEST(CreateBlock, NamesAreRefusedAsDxfRefusesThem) {
    const std::pair<const char*, bool> rows[] = {
        {"Part", true}, {"part 2", true}, {"peg", false},  {"PEG", false},
        {"a<b", false}, {"a/b", false},   {"a\"b", false}, {"a:b", false},
        {"a;b", false}, {"a?b", false},   {"a*b", false},  {"a|b", false},
        {"a,b", false}, {"a=b", false},   {"a\\b", false}, {"*Model", false},
    };
    for (const auto& [name, taken] : rows) {
        SCOPED_TRACE(name);
        VecadSession s;
        s.v.drawing().setBlock("Peg", Block{"Peg", {}, 0, {Entity(PointGeom{})}});
        createBlock(s, name);
        EXPECT_EQ(s.v.drawing().findBlock(name) != nullptr && !s.v.commandRunning(), taken);
        if (!taken) {
            EXPECT_TRUE(s.v.commandRunning());  // asks for another name
            EXPECT_FALSE(s.heard.lines.empty());
        }
    }
}

TEST(CreateBlock, SelectionBecomesTheDefinitionAndOneInsertInOneStep) {
    VecadSession s;
    createBlock(s, "Tee");
    const Drawing& d = s.v.drawing();
    ASSERT_NE(d.findBlock("Tee"), nullptr);
    EXPECT_EQ(d.findBlock("Tee")->entities.size(), 2u);
    EXPECT_EQ(d.findBlock("Tee")->base.x, 10);
    const std::vector<Handle> now = live(d);
    ASSERT_EQ(now.size(), 1u);
    const auto* insert = geomIf<InsertGeom>(d.entity(now[0]));
    ASSERT_NE(insert, nullptr);
    EXPECT_EQ(insert->block, "Tee");
    // Drawn where the lines were.
    const Box2 box = boundingBox(d.entity(now[0]), d);
    EXPECT_NEAR(box.minX, 10, 1e-9);
    EXPECT_NEAR(box.maxX, 20, 1e-9);
    EXPECT_NEAR(box.maxY, 5, 1e-9);
    EXPECT_EQ(s.v.SelCount(), 0);
    s.v.Execute(command::kUndo);
    EXPECT_EQ(d.findBlock("Tee"), nullptr);
    EXPECT_EQ(live(d).size(), 2u);
}

TEST(InsertBlock, TakesNameScaleAndRotationWithDefaults) {
    struct Row {
        std::vector<std::string> typed;  // scripted steps
        double scale, degrees;
    };
    const Row rows[] = {
        {{"t tee", "t 30,40", "enter", "enter"}, 1, 0},
        {{"enter", "t 30,40", "t 2", "t 90"}, 2, 90},
    };
    for (const Row& row : rows) {
        VecadSession s;
        createBlock(s, "Tee");
        s.v.Execute(command::kInsertBlock);
        s.run(row.typed);
        EXPECT_FALSE(s.v.commandRunning());
        const std::vector<Handle> now = live(s.v.drawing());
        ASSERT_EQ(now.size(), 2u);
        const auto* insert = geomIf<InsertGeom>(s.v.drawing().entity(now[1]));
        ASSERT_NE(insert, nullptr);
        EXPECT_EQ(insert->block, "Tee");
        EXPECT_EQ(insert->p.x, 30);
        EXPECT_EQ(insert->scale.x, row.scale);
        EXPECT_NEAR(insert->angle, row.degrees * kPi / 180, 1e-12);
    }
}

TEST(InsertBlock, RefusesUnknownNamesAndEndsWithoutBlocks) {
    VecadSession s;
    s.v.Execute(command::kInsertBlock);
    EXPECT_FALSE(s.v.commandRunning());
    createBlock(s, "Tee");
    s.v.Execute(command::kInsertBlock);
    s.v.commandInput("Nope");
    EXPECT_TRUE(s.v.commandRunning());
    s.v.commandInput("tee");
    s.v.commandInput("30,40");
    s.v.commandInput("0");  // a scale of 0 is refused
    EXPECT_TRUE(s.v.commandRunning());
    s.v.commandKey(27);
    EXPECT_EQ(live(s.v.drawing()).size(), 1u);
}

// Where the program shows a list, the name is chosen from it; a cancelled
// list ends the command with nothing added.
struct ListingListener : testing::RecordingListener {
    std::optional<std::string> answer;
    std::vector<std::string> offered;
    std::optional<std::string> nameRequested(const NameChoice& choice) override {
        offered = choice.names;
        return answer;
    }
};

TEST(InsertBlock, TakesTheNameChosenFromTheList) {
    for (const std::string answer : {"Tee", ""}) {
        SCOPED_TRACE(answer.empty() ? "cancelled" : "chosen");
        VecadSession s;
        createBlock(s, "Tee");
        ListingListener heard;
        heard.answer = answer;
        s.v.setListener(&heard);
        s.v.Execute(command::kInsertBlock);
        EXPECT_EQ(heard.offered, std::vector<std::string>{"Tee"});
        EXPECT_EQ(s.v.commandRunning(), !answer.empty());  // on to the insertion point
        s.run({"t 30,40", "enter", "enter"});
        EXPECT_EQ(live(s.v.drawing()).size(), answer.empty() ? 1u : 2u);
    }
}

TEST(FormatBlocks, RenameDeletePurge) {
    VecadSession s;
    createBlock(s, "Tee");
    Drawing& d = s.v.drawing();
    d.setBlock("Spare", Block{"Spare", {}, 0, {Entity(InsertGeom{.block = "Inner"})}});
    d.setBlock("Inner", Block{"Inner", {}, 0, {Entity(PointGeom{})}});
    d.setBlock("*Model_Space", Block{});
    BlockEditor editor(d);
    EXPECT_EQ(editor.names(), (std::vector<std::string>{"Inner", "Spare", "Tee"}));

    struct Row {
        std::string typed, refusal;
    };
    const Row refused[] = {
        {"delete Tee", "used 1 time"},    {"delete Inner", "used 1 time"},
        {"rename Tee spare", "exists"},   {"rename Tee a|b", "cannot hold |"},
        {"rename Nope X", "No block"},    {"delete *Model_Space", "No block"},
        {"rename Tee", "Not understood"},
    };
    for (const Row& row : refused) {
        testing::expectTypedChange(d, editor, row.typed, row.refusal);
    }

    testing::expectTypedChange(d, editor, "rename tee Cross", "");
    EXPECT_EQ(geomIf<InsertGeom>(d.entity(d.firstLive()))->block, "Cross");
    ASSERT_EQ(editor.command("rename Inner Core"), "");
    EXPECT_EQ(geomIf<InsertGeom>(d.findBlock("Spare")->entities[0])->block, "Core");

    ASSERT_EQ(editor.command("purge"), "");  // Spare, then Core which only Spare used
    EXPECT_EQ(editor.names(), std::vector<std::string>{"Cross"});
    EXPECT_NE(d.findBlock("*Model_Space"), nullptr);
    EXPECT_EQ(editor.command("purge"), "No unused blocks");
    d.undo();
    EXPECT_EQ(editor.names(), (std::vector<std::string>{"Core", "Cross", "Spare"}));
}

}  // namespace
}  // namespace brondel::engine
