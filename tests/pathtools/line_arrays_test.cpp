#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/cad.h"
#include "tests/pathtools/pick_session.h"

namespace brondel {
namespace {

using engine::Handle;
using engine::Point3;
using ports::Answer;
using testing::PickSession;

std::vector<double> xs(const std::vector<engine::LineGeom>& lines) {
    std::vector<double> found;
    for (const auto& l : lines) {
        found.push_back(l.p1.x);
    }
    return found;
}

TEST(PolarArray, TheStepDecidesHowManyAnglesAreDrawn) {
    struct Case {
        const char* step;
        std::size_t lines;
    };
    for (const Case& c : {Case{"90", 8}, Case{"7", 52}, Case{"1", 364}, Case{"1.5", 184}}) {
        SCOPED_TRACE(c.step);
        PickSession s;
        s.main.click("DrawPolarArray");
        s.dialogs().input("5").input(c.step).answer(Answer::Yes);
        s.pressAt(10, 10);
        EXPECT_EQ(s.lines().size(), c.lines);
        EXPECT_EQ(s.vecad().GetNumEntities(), static_cast<int>(c.lines) + 1);  // and the centre
        EXPECT_FALSE(s.modes().polarArray);
        EXPECT_EQ(engine::CadGetCrossSize(), 100);
    }
}

TEST(PolarArray, LinesRunFromTheCentreIntoEachQuadrant) {
    PickSession s;
    s.main.click("DrawPolarArray");
    s.dialogs().input("2").input("90").answer(Answer::Yes);
    s.pressAt(10, 10);
    const auto lines = s.lines();
    ASSERT_EQ(lines.size(), 8u);
    const Point3 ends[] = {{12, 10, 0}, {8, 10, 0}, {8, 10, 0}, {12, 10, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(lines[i].p2.x, ends[i].x, 1e-6);
        EXPECT_NEAR(lines[i].p2.y, ends[i].y, 1e-6);
        EXPECT_NEAR(lines[i].p1.x, 10, 1e-6);
    }
    EXPECT_NEAR(lines[4].p2.y, 12, 1e-6);  // 90 degrees
    EXPECT_NEAR(lines[6].p2.y, 8, 1e-6);
}

TEST(PolarArray, AnswersAreReadByTheirNumericPrefixAndRefusalsAskBothAgain) {
    PickSession s;
    s.main.click("DrawPolarArray");
    s.dialogs()
        .input("abc")
        .input("5abc")
        .input("90.4")
        .input("5")
        .input("0.6")
        .input("5abc")
        .input("45")
        .answer(Answer::Ok)  // the three refusals
        .answer(Answer::Ok)
        .answer(Answer::Ok)
        .answer(Answer::Yes);
    s.pressAt(10, 10);

    const auto inputs = s.dialogs().ofKind(testing::DialogCall::Kind::InputBox);
    ASSERT_EQ(inputs.size(), 7u);
    EXPECT_EQ(inputs[0].defaultText, "109.65");  // the view's width
    EXPECT_EQ(inputs[2].defaultText, "10");
    EXPECT_EQ(inputs[3].title, "Array Segment Length");  // length again after a bad step
    const auto messages = s.dialogs().messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].text, "Error, value entered must be a number greater than zero");
    EXPECT_EQ(messages[1].text, "Error, Values must be between 1 and 90 degrees");
    EXPECT_EQ(messages[3].text, "YES to accept \rNO to delete ");
    EXPECT_EQ(s.lines().size(), 12u);
    EXPECT_NEAR(s.lines()[0].p2.x, 15, 1e-6);
}

TEST(PolarArray, NoErasesTheLinesAndTheCentreButCancelKeepsTheCentre) {
    PickSession s;
    s.main.click("DrawPolarArray");
    s.dialogs().input("5").input("10").answer(Answer::No);
    s.pressAt(10, 10);
    EXPECT_EQ(s.vecad().GetNumEntities(), 0);

    s.main.click("DrawPolarArray");
    s.dialogs().input("");
    s.pressAt(10, 10);
    EXPECT_EQ(s.vecad().GetNumEntities(), 1);
    EXPECT_FALSE(s.modes().polarArray);
    EXPECT_EQ(engine::CadGetCrossSize(), 100);
}

struct Parallel {
    PickSession s;
    Handle diagonal;
    Parallel(bool vertical, Point3 a, Point3 b) {
        diagonal = s.vecad().AddLine(a.x, a.y, a.z, b.x, b.y, b.z);
        (vertical ? s.modes().verticalArray : s.modes().horizontalArray) = true;
        s.main.statusMain.set(3, "Draw Diagonal Line Defining Array");
    }
    void press(Point3 a, Point3 b) { s.pressAt((a.x + b.x) / 2, (a.y + b.y) / 2); }
};

TEST(VerticalArray, LinesStepFromTheFirstPointAndTheCountRoundsToEven) {
    struct Case {
        Point3 a, b;
        const char* separation;
        std::vector<double> xs;
    };
    const Case cases[] = {
        {{0, 0, 0}, {10, 5, 0}, "3", {0, 3, 6, 9}},
        {{0, 0, 0}, {10, 5, 0}, "4", {0, 4, 8}},          // 2.5 lines round to 2
        {{0, 0, 0}, {14, 5, 0}, "4", {0, 4, 8, 12, 16}},  // 3.5 to 4: beyond the diagonal
        {{10, 0, 0}, {0, 5, 0}, "3", {10, 7, 4, 1}},      // drawn right to left
        {{5, 0, 0}, {5, 5, 0}, "1", {5}},
    };
    for (const Case& c : cases) {
        Parallel p(true, c.a, c.b);
        p.s.dialogs().input(c.separation).answer(Answer::Yes);
        p.press(c.a, c.b);
        const auto lines = p.s.lines();
        EXPECT_EQ(xs(lines), c.xs);
        EXPECT_EQ(lines.front().p1.y, c.a.y);
        EXPECT_EQ(lines.front().p2.y, c.b.y);
        EXPECT_EQ(p.s.vecad().drawing().find(p.diagonal), nullptr);
        EXPECT_FALSE(p.s.modes().verticalArray);
        EXPECT_EQ(p.s.prompt(), "Draw Diagonal Line Defining Array");
    }
}

TEST(VerticalArray, PositionsAreSinglePrecision) {
    Parallel p(true, {1000.1, 0, 0}, {1001, 5, 0});
    p.s.dialogs().input("1").answer(Answer::Yes);
    p.press({1000.1, 0, 0}, {1001, 5, 0});
    ASSERT_EQ(p.s.lines().size(), 2u);
    EXPECT_EQ(p.s.lines()[0].p1.x, 1000.0999755859375);
}

TEST(VerticalArray, RefusalsAndCancel) {
    Parallel p(true, {0, 0, 0}, {10, 5, 0});
    p.s.dialogs().input("0").input("10.5").input("");
    p.press({0, 0, 0}, {10, 5, 0});
    const auto messages = p.s.dialogs().messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text,
              "Error, Increment value must be greater than 0 and less than or equal to 10");
    EXPECT_EQ(p.s.vecad().GetNumEntities(), 1);  // the diagonal stays
    EXPECT_FALSE(p.s.modes().verticalArray);
    EXPECT_EQ(engine::CadGetCrossSize(), 100);
}

TEST(VerticalArray, NoLeavesNeitherLinesNorDiagonal) {
    Parallel p(true, {0, 0, 0}, {10, 5, 0});
    p.s.dialogs().input("1").answer(Answer::No);
    p.press({0, 0, 0}, {10, 5, 0});
    EXPECT_EQ(p.s.vecad().GetNumEntities(), 0);
}

TEST(VerticalArray, NothingUnderThePress) {
    Parallel p(true, {0, 0, 0}, {10, 5, 0});
    p.s.pressAt(40, 40);
    EXPECT_EQ(p.s.lastMessage(), "Error, Diagonal defining line not selected ");
    EXPECT_EQ(p.s.prompt(), "");
    EXPECT_FALSE(p.s.modes().verticalArray);
}

TEST(HorizontalArray, StepsAlongYWithItsOwnLimitAndTitle) {
    Parallel p(false, {0, 10, 0}, {8, 0, 0});
    p.s.dialogs().input("150").input("4").answer(Answer::Ok).answer(Answer::Yes);
    p.press({0, 10, 0}, {8, 0, 0});
    const auto messages = p.s.dialogs().messages();
    EXPECT_EQ(messages.at(0).text,
              "Error, Increment value must be greater than 0 and less than or equal to 100");
    EXPECT_EQ(messages.at(1).title, "Horizontal Array");
    const auto lines = p.s.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].p1, (Point3{0, 10, 0}));
    EXPECT_EQ(lines[0].p2, (Point3{8, 10, 0}));
    EXPECT_EQ(lines[2].p1.y, 2);
}

TEST(ParallelArrays, TooManyLinesFailBeforeAnythingChanges) {
    for (bool vertical : {true, false}) {
        const Point3 a{0, 0, 0};
        const Point3 b = vertical ? Point3{40, 1, 0} : Point3{1, 40, 0};
        Parallel p(vertical, a, b);
        p.s.dialogs().input("0.001");
        p.press(a, b);
        EXPECT_EQ(p.s.lastMessage(), "Error Number: 6, Error Description: Overflow");
        EXPECT_EQ(p.s.vecad().GetNumEntities(), 1);
        EXPECT_FALSE(p.s.vecad().drawing().find(p.diagonal)->erased);
        EXPECT_TRUE(vertical ? p.s.modes().verticalArray : p.s.modes().horizontalArray);
    }
}

}  // namespace
}  // namespace brondel
