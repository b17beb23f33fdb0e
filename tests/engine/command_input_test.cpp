#include "engine/command_input.h"

#include <gtest/gtest.h>

#include "engine/commands.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

TEST(CommandInput, NamesAndCodes) {
    EXPECT_EQ(commandCodeFor("line"), command::kDrawLine);
    EXPECT_EQ(commandCodeFor("  LINE "), command::kDrawLine);
    EXPECT_EQ(commandCodeFor("Draw line"), command::kDrawLine);
    EXPECT_EQ(commandCodeFor("select by rectangle"), command::kSelectByRectangle);
    EXPECT_EQ(commandCodeFor("zp"), command::kZoomPrevious);
    EXPECT_EQ(commandCodeFor("regen"), command::kRegenerate);
    EXPECT_EQ(commandCodeFor("205"), command::kDrawLine);
    EXPECT_EQ(commandCodeFor("99999"), 99999);  // a code need not be known
    EXPECT_EQ(commandCodeFor("frobnicate"), std::nullopt);
    EXPECT_EQ(commandCodeFor(""), std::nullopt);
    EXPECT_EQ(commandCodeFor("99999999999999999999"), std::nullopt);
}

TEST(CommandInput, PointsAndWhatIsNotAPoint) {
    const auto p = parseTypedPoint("10,5");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->kind, TypedPoint::Kind::Absolute);
    EXPECT_EQ(p->x, 10);
    EXPECT_EQ(p->y, 5);
    const auto r = parseTypedPoint(" @ 5 , -2.5 ");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, TypedPoint::Kind::Relative);
    EXPECT_EQ(r->y, -2.5);
    const auto d = parseTypedPoint("+7.5");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->kind, TypedPoint::Kind::Distance);
    EXPECT_EQ(d->x, 7.5);
    EXPECT_TRUE(parseTypedPoint("1e2,-3e-1"));
    for (const char* bad : {"", "abc", "10,", ",5", "@5", "1,2,3", "nan", "inf,1", "10;5", "1 0,5",
                            "10,5x", "+-3", "1,5e999"}) {
        EXPECT_FALSE(parseTypedPoint(bad)) << bad;
    }
}

TEST(CommandInput, TypedLinesDriveDrawLine) {
    VecadSession s;
    s.v.commandInput("line");
    EXPECT_EQ(s.v.runningCommand(), command::kDrawLine);
    s.v.commandInput("5");  // a distance needs a last point
    EXPECT_EQ(s.v.commandHistory().back(), "There is no last point yet: type the point as x,y");
    s.v.commandInput("0,0");
    s.v.commandInput("@10,0");
    s.move(10, 7);
    s.v.commandInput("5");     // towards the cursor
    s.v.commandInput("@0,0");  // the same point again draws nothing
    EXPECT_EQ(s.v.commandHistory().back(), "Draw Line: that is the last point; give another");
    s.v.commandInput("1e308,0");
    s.v.commandInput("@1e308,0");  // beyond what a double holds
    EXPECT_EQ(s.v.commandHistory().back(), "That point lies beyond the numbers a drawing can hold");
    s.v.commandInput("");
    EXPECT_FALSE(s.v.commandRunning());

    const auto& ents = s.v.drawing().entities();
    ASSERT_EQ(ents.size(), 3u);
    EXPECT_EQ(geomIf<LineGeom>(ents[2])->p2, (Point3{1e308, 0, 0}));
    EXPECT_EQ(geomIf<LineGeom>(ents[0])->p2, (Point3{10, 0, 0}));
    EXPECT_NEAR(geomIf<LineGeom>(ents[1])->p2.x, 10, 1e-9);
    EXPECT_NEAR(geomIf<LineGeom>(ents[1])->p2.y, 5, 1e-9);
}

TEST(CommandInput, UnknownInputLeavesMessagesAndTheHistoryIsBounded) {
    VecadSession s;
    s.v.commandInput("9999");
    ASSERT_FALSE(s.heard.notices.empty());
    EXPECT_EQ(s.heard.notices.back(), "not available in this engine: 9999 Command");
    EXPECT_EQ(s.v.commandHistory().back(), s.heard.notices.back());
    s.v.commandInput("frobnicate");
    EXPECT_EQ(s.v.commandHistory().back(), "Unknown command: \"frobnicate\"");
    s.v.commandInput("10,5");  // no command takes it
    EXPECT_FALSE(s.v.commandRunning());

    s.v.commandInput("zw");
    EXPECT_EQ(s.heard.prompts.back(), "Zoom Window: first corner");
    EXPECT_EQ(s.heard.lines.back(), "Zoom Window: first corner");
    s.v.commandKey(27);
    for (std::size_t i = 0; i < Vecad::kHistoryLines + 20; ++i) {
        s.v.commandInput("regen");
    }
    EXPECT_EQ(s.v.commandHistory().size(), Vecad::kHistoryLines);
    EXPECT_EQ(s.v.commandHistory().back(), "> regen");
    EXPECT_EQ(s.heard.lines.back(), "> regen");
}

}  // namespace
}  // namespace brondel::engine
