#include <gtest/gtest.h>

#include <string>

#include "engine/cad.h"
#include "tests/pathtools/pick_session.h"

namespace brondel {
namespace {

using engine::CadGetCrossSize;
using testing::PickSession;

struct Arming {
    const char* item;
    bool shell::PickModes::*mode;
    const char* prompt;  // nullptr: the panel keeps its text
    int cross;
};

TEST(PickHandler, EachCommandArmsItsModeWithItsPromptAndCross) {
    const Arming table[] = {
        {"mnuSetStart", &shell::PickModes::startPoint, "Select First Entity ", 25},
        {"mnuExplodeLine", &shell::PickModes::explodeLine, "Select LINE to Explode", 25},
        {"mnuExplodeArc", &shell::PickModes::explodeArc, "Select ARC to Explode", 25},
        {"DrawPolarArray", &shell::PickModes::polarArray, nullptr, 25},
        {"DrawVerticalArray", &shell::PickModes::verticalArray, "Draw Diagonal Line Defining Array",
         100},
        {"DrawHorizontalArray", &shell::PickModes::horizontalArray,
         "Draw Diagonal Line Defining Array", 100},
    };
    for (const Arming& a : table) {
        SCOPED_TRACE(a.item);
        PickSession s;
        s.main.statusMain.set(3, "before");
        s.main.click(a.item);
        EXPECT_TRUE(s.modes().*a.mode);
        EXPECT_EQ(s.prompt(), a.prompt ? a.prompt : "before");
        EXPECT_EQ(CadGetCrossSize(), a.cross);
        EXPECT_EQ(s.vecad().GetNumEntities(), 0);  // arming changes no drawing
    }
}

TEST(PickHandler, APressWithNothingArmedChangesNothing) {
    PickSession s;
    s.vecad().AddLine(0, 0, 0, 10, 0, 0);
    s.main.statusMain.set(3, "kept");
    s.pressAt(5, 0);
    EXPECT_EQ(s.vecad().GetNumEntities(), 1);
    EXPECT_EQ(s.prompt(), "kept");
    EXPECT_EQ(CadGetCrossSize(), 100);
    EXPECT_TRUE(s.dialogs().calls.empty());
}

// Start point answered Yes passing the same press on to Explode Line is the
// transcript of tests/scripts/pick_start_then_explode.
TEST(PickHandler, StartPointCancelEndsTheHandlingAndLeavesLaterModesArmed) {
    PickSession s;
    s.vecad().AddLine(0, 0, 0, 10, 0, 0);
    s.main.click("mnuExplodeLine");
    s.main.click("mnuSetStart");
    s.dialogs().answer(ports::Answer::Cancel);
    s.pressAt(5, 0);
    EXPECT_FALSE(s.modes().startPoint);
    EXPECT_TRUE(s.modes().explodeLine);
    EXPECT_EQ(s.prompt(), "");
    EXPECT_EQ(CadGetCrossSize(), 100);
    EXPECT_TRUE(s.dialogs().drained());
}

TEST(PickHandler, NoEntityUnderThePressDisarmsAndRestoresTheCross) {
    for (const char* item : {"mnuSetStart", "mnuExplodeLine", "mnuExplodeArc"}) {
        SCOPED_TRACE(item);
        PickSession s;
        s.main.click(item);
        s.pressAt(5, 5);
        EXPECT_EQ(s.lastMessage(), "Entity not selected, try again. ");
        EXPECT_FALSE(s.modes().startPoint || s.modes().explodeLine || s.modes().explodeArc);
        EXPECT_EQ(s.prompt(), "");
        EXPECT_EQ(CadGetCrossSize(), 100);
    }
}

TEST(PickHandler, WrongKindDisarmsButLeavesTheCrossWaiting) {
    PickSession s;
    const engine::Handle line = s.vecad().AddLine(0, 0, 0, 10, 0, 0);
    s.vecad().SelectEntity(line, true);
    s.main.click("mnuExplodeArc");
    s.pressAt(5, 0);
    EXPECT_EQ(s.lastMessage(), "Selected entity is not a ARC, select a different entity");
    EXPECT_FALSE(s.modes().explodeArc);
    EXPECT_EQ(s.prompt(), "");
    EXPECT_EQ(CadGetCrossSize(), 25);
    EXPECT_EQ(s.vecad().SelCount(), 0);
    EXPECT_EQ(s.vecad().GetNumEntities(), 1);
}

TEST(PickHandler, AFailureIsReportedAndTheModeServesTheNextPress) {
    PickSession s;
    s.main.click("DrawPolarArray");
    s.dialogs().input("1e999");  // too large for a double
    s.pressAt(5, 5);
    EXPECT_EQ(s.lastMessage(), "Error Number: 6, Error Description: Overflow");
    EXPECT_TRUE(s.modes().polarArray);
    EXPECT_EQ(CadGetCrossSize(), 25);
    EXPECT_EQ(s.vecad().GetNumEntities(), 1);  // the centre point stays

    s.dialogs().input("");
    s.pressAt(6, 6);
    EXPECT_FALSE(s.modes().polarArray);
    EXPECT_EQ(s.vecad().GetNumEntities(), 2);
}

TEST(PickHandler, AModeArmedInOneWindowServesAPressInAnother) {
    PickSession s;
    documents::DrawingWindow& first = s.active();
    s.main.click("mnuExplodeLine");
    s.main.click("mnuFileNew");
    ASSERT_NE(&s.active(), &first);
    s.vecad().AddLine(0, 0, 0, 10, 0, 0);
    s.dialogs().input("5");
    s.pressAt(5, 0);
    EXPECT_EQ(s.lines().size(), 5u);
    EXPECT_EQ(first.Vecad1.GetNumEntities(), 0);
}

}  // namespace
}  // namespace brondel
