#include "pathtools/reorganize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/cad.h"
#include "engine/entity_type.h"
#include "pathtools/prep_drawing.h"
#include "tests/support/fake_ports.h"

namespace brondel::pathtools {
namespace {

using engine::Handle;
using ports::Answer;
using testing::DialogCall;
using Rows = std::vector<std::string>;

struct Segment {
    double x1, y1, x2, y2;
};

class ReorganizeTest : public ::testing::Test {
  protected:
    testing::TestProgram program;
    shell::MainWindow& main = program.main;
    testing::ScriptedDialogs& dialogs = program.dialogs();

    documents::DrawingWindow& newWindow() { return program.newDrawing(); }
    documents::DrawingWindow& window = newWindow();
    engine::Vecad& vecad = window.Vecad1;

    Handle line(double x1, double y1, double x2, double y2) {
        return vecad.AddLine(x1, y1, 7, x2, y2, 7);
    }

    // Answers the save prompt with No and runs the command from start.
    ReorganizeEnd reorganize(Handle start) {
        main.state.startEntity = start;
        dialogs.answer(Answer::No);
        return reorganizeEntities(window);
    }

    std::vector<Segment> drawnLines() const {
        std::vector<Segment> lines;
        for (Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle;
             h = vecad.GetNextEntity(h)) {
            double x1, y1, z1, x2, y2, z2;
            engine::CadLineGetPoint1(h, x1, y1, z1);
            engine::CadLineGetPoint2(h, x2, y2, z2);
            EXPECT_EQ(vecad.EntityGetType(h), 2);
            EXPECT_EQ(z1, 0.0);
            EXPECT_EQ(z2, 0.0);
            lines.push_back({x1, y1, x2, y2});
        }
        return lines;
    }

    std::vector<std::string> okMessages() const {
        std::vector<std::string> texts;
        for (const DialogCall& call : dialogs.messages()) {
            if (call.buttons == ports::Buttons::Ok) {
                EXPECT_EQ(call.title, ports::kApplicationTitle);
                texts.push_back(call.text);
            }
        }
        return texts;
    }
};

bool operator==(const Segment& a, const Segment& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

TEST_F(ReorganizeTest, OpenChainInAnyOrderBecomesLinesInWalkingOrder) {
    line(2, 1, 3.12345, 1);  // last, drawn along the walk
    const Handle start = line(0, 0, 1, 0);
    line(1, 1, 2, 1);
    line(1, 1, 1, 0);  // against the walk
    main.state.startMarker = vecad.AddText("|", 0, 0, 0, 1, 1, 1.0, 0, 0);
    vecad.SelectEntity(start, true);

    EXPECT_EQ(reorganize(start), ReorganizeEnd::Complete);

    EXPECT_EQ(window.CList.rows, (Rows{"0, 0", "1, 0", "1, 1", "2, 1", "3.1234, 1"}));
    EXPECT_EQ(drawnLines(),
              (std::vector<Segment>{{0, 0, 1, 0}, {1, 0, 1, 1}, {1, 1, 2, 1}, {2, 1, 3.1234, 1}}));
    EXPECT_EQ(main.statusMain.panels[2], kReorganizeCompleteText);
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
    EXPECT_EQ(main.state.startMarker, engine::kNoHandle);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kSaveBeforeReorganizeText);
    EXPECT_EQ(dialogs.messages()[0].buttons, ports::Buttons::YesNo);
    // The message loop runs once per step, per row read back and per line added.
    EXPECT_EQ(program.fakes.pump.runs, 4 + 5 + 4);

    // The whole command is one undo step: the marker and the old lines return.
    vecad.drawing().undo();
    EXPECT_EQ(vecad.GetNumEntities(), 5);
}

// The command-line road writes the DAT file from the list and drops the
// drawing: the list must be the one the rebuilding command makes.
TEST_F(ReorganizeTest, LeftAsWalkedTheDrawingGivesTheSameListUnrebuilt) {
    line(2, 1, 3.12345, 1);
    const Handle start = line(0, 0, 1, 0);
    line(1, 1, 2, 1);
    const Handle against = line(1, 1, 1, 0);
    main.state.startEntity = start;
    dialogs.answer(Answer::No);

    EXPECT_EQ(reorganizeEntities(window, PathDrawing::LeftAsWalked), ReorganizeEnd::Complete);

    EXPECT_EQ(window.CList.rows, (Rows{"0, 0", "1, 0", "1, 1", "2, 1", "3.1234, 1"}));
    EXPECT_EQ(main.statusMain.panels[2], kReorganizeCompleteText);
    EXPECT_EQ(vecad.GetNumEntities(), 4);
    double x, y, z;
    engine::CadLineGetPoint1(against, x, y, z);
    EXPECT_EQ(std::pair(x, y), std::pair(1.0, 0.0));  // turned to the walk, not redrawn
    EXPECT_EQ(z, 7.0);
}

TEST_F(ReorganizeTest, LoneStartLineGivesItsTwoEnds) {
    EXPECT_EQ(reorganize(line(1.23456, 2.5, 3.0, -0.25)), ReorganizeEnd::Complete);
    EXPECT_EQ(window.CList.rows, (Rows{"1.2346, 2.5", "3, -0.25"}));
    EXPECT_EQ(drawnLines(), (std::vector<Segment>{{1.2346, 2.5, 3, -0.25}}));
}

TEST_F(ReorganizeTest, StrayLineStopsTheWalkWithoutRebuilding) {
    const Handle start = line(0, 0, 1, 0);
    const Handle reversed = line(2, 0, 1, 0);
    line(10, 10, 11, 10);  // touches nothing
    window.CList.rows = {"old"};

    EXPECT_EQ(reorganize(start), ReorganizeEnd::Failed);

    EXPECT_EQ(okMessages(), (std::vector<std::string>{kReorganizeFailedText}));
    EXPECT_TRUE(window.CList.rows.empty());
    // Where the walk stopped is said as walk_report_test checks.
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
    // Nothing rebuilt; the turned line stays turned, exactly, and selected;
    // the start entity is where the walk stopped.
    EXPECT_EQ(vecad.GetNumEntities(), 3);
    EXPECT_EQ(main.state.startEntity, reversed);
    EXPECT_TRUE(vecad.isSelected(reversed));
    double x, y, z;
    engine::CadLineGetPoint1(reversed, x, y, z);
    EXPECT_EQ(x, 1.0);
    engine::CadLineGetPoint2(reversed, x, y, z);
    EXPECT_EQ(x, 2.0);
}

// At a junction the nearest end wins; among equal first-point distances the
// later entity wins, an equal second-point distance keeps the earlier one; a
// step that finds only text has no way on. Each walk then runs into a dead
// end, which shows the choice it made.
TEST(ReorganizeChoice, TheWalkTakesTheNearestEndAndTiesFollowSelectionOrder) {
    const struct {
        const char* name;
        std::vector<Segment> lines;  // the first is the start
        double radius;
        bool textAtTheEnd;
        std::size_t stopsOn;  // the line the walk stopped on
    } cases[] = {
        {"equal first points", {{0, 0, 1, 0}, {1, 0, 2, 0}, {1, 0, 1, 1}}, 0.01, false, 2},
        {"equal second points", {{0, 0, 1, 0}, {2, 0, 1, 0}, {1, 1, 1, 0}}, 0.01, false, 1},
        {"nearer end", {{0, 0, 1, 0}, {1.3, 0, 1.3, 5}, {1.1, 0, 1.1, -5}}, 0.5, false, 2},
        {"only text", {{0, 0, 1, 0}}, 0.01, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::TestProgram run;
        documents::DrawingWindow& w = run.newDrawing();
        std::vector<Handle> handles;
        for (const Segment& s : c.lines) {
            handles.push_back(w.Vecad1.AddLine(s.x1, s.y1, 0, s.x2, s.y2, 0));
        }
        if (c.textAtTheEnd) {
            w.Vecad1.AddText("x", 1, 0, 0, 0, 0.5, 1.0, 0, 0);
        }
        run.main.searchRadius = c.radius;
        run.main.state.startEntity = handles[0];
        run.dialogs().answer(Answer::No);
        EXPECT_EQ(reorganizeEntities(w), ReorganizeEnd::Failed);
        EXPECT_EQ(run.dialogs().messages().back().text, kReorganizeFailedText);
        EXPECT_EQ(run.main.state.startEntity, handles[c.stopsOn]);
        EXPECT_EQ(w.Vecad1.GetNumEntities(), static_cast<int>(c.lines.size() + c.textAtTheEnd));
    }
}

TEST_F(ReorganizeTest, StartEntityOfAnotherWindowChangesNothing) {
    const Handle elsewhere = line(0, 0, 1, 0);
    main.state.startMarker = vecad.AddText("|", 0, 0, 0, 1, 1, 1.0, 0, 0);
    documents::DrawingWindow& second = newWindow();
    second.Vecad1.AddLine(1, 0, 0, 2, 0, 0);
    second.Vecad1.AddLine(2, 0, 0, 3, 0, 0);
    main.state.startEntity = elsewhere;

    EXPECT_EQ(reorganizeEntities(second), ReorganizeEnd::Failed);

    EXPECT_EQ(okMessages(), (std::vector<std::string>{kReorganizeFailedText}));
    EXPECT_EQ(second.Vecad1.GetNumEntities(), 2);
    EXPECT_EQ(vecad.GetNumEntities(), 2);
    EXPECT_FALSE(second.Vecad1.drawing().canUndo() &&
                 second.Vecad1.drawing().undoLabel() == "Reorganize");

    main.state.startEntity = engine::kNoHandle;
    EXPECT_EQ(reorganizeEntities(second), ReorganizeEnd::Failed);
}

TEST_F(ReorganizeTest, SaveAnsweredYesWritesTheDrawingWithoutTheMarker) {
    const std::string file = program.folder.file("saved.dxf");
    vecad.PutFileName(file);
    const Handle start = line(0, 0, 1, 0);
    line(1, 0, 2, 0);
    main.state.startMarker = vecad.AddText("|", 0, 0, 0, 1, 1, 1.0, 0, 0);
    main.state.startEntity = start;
    dialogs.answer(Answer::Yes);

    EXPECT_EQ(reorganizeEntities(window), ReorganizeEnd::Complete);

    engine::Vecad saved;
    saved.FileOpen(file);
    EXPECT_EQ(saved.GetNumEntities(), 2);
    EXPECT_EQ(window.CList.rows, (Rows{"0, 0", "1, 0", "2, 0"}));
}

TEST_F(ReorganizeTest, FailingSaveStopsTheRunWithItsNumber) {
    vecad.PutFileName(program.folder.file("no-such-folder/saved.dxf"));
    const Handle start = line(0, 0, 1, 0);
    line(1, 0, 2, 0);
    main.state.startEntity = start;
    dialogs.answer(Answer::Yes);

    EXPECT_EQ(reorganizeEntities(window), ReorganizeEnd::Error);

    const std::vector<std::string> shown = okMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("Error Number: ", 0), 0u) << shown[0];
    EXPECT_NE(shown[0].find(", Error Description: "), std::string::npos);
    EXPECT_EQ(main.statusMain.panels[2], "");
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
    EXPECT_EQ(vecad.GetNumEntities(), 2);
}

TEST_F(ReorganizeTest, MenuItemsReachTheCommands) {
    const Handle start = line(0, 0, 1, 0);
    line(1, 0, 2, 0);
    const Handle erased = line(5, 5, 6, 6);
    vecad.EntityErase(erased, true);
    ASSERT_TRUE(main.runHandler("mnuPurgeDeleted"));
    EXPECT_EQ(vecad.drawing().entities().size(), 2u);
    ASSERT_TRUE(main.runHandler("mnuPrepDrawing"));
    EXPECT_EQ(okMessages().back(), "Drawing prep complete! \r2 Total new line created. ");
    main.state.startEntity = start;
    dialogs.answer(Answer::No);
    ASSERT_TRUE(main.runHandler("mnuReorganzie"));
    EXPECT_EQ(window.CList.rows, (Rows{"0, 0", "1, 0", "2, 0"}));
}

TEST_F(ReorganizeTest, ProgressIsShownSparinglyButEndsExact) {
    for (int i = 0; i < 2500; ++i) {
        line(i, 0, i + 1, 0);
    }
    std::vector<std::string> shown;
    main.statusMain.changed.connect([&] { shown.push_back(main.statusMain.panels[2]); });
    EXPECT_EQ(reorganize(vecad.GetFirstEntity()), ReorganizeEnd::Complete);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Reorganizing entity 1 of 2500", "Reorganizing entity 1000 of 2500",
                         "Reorganizing entity 2000 of 2500", "Reorganizing entity 2500 of 2500",
                         kReorganizeCompleteText}));
}

// A closed polygon with uneven sides (the same for the same shape seed), its
// sides added in an order and each drawn in a direction from the order seed;
// the side from corner 0 to corner 1 is drawn forward and returned.
Handle drawShuffledPolygon(engine::Vecad& vecad, unsigned shapeSeed, unsigned orderSeed,
                           int sides) {
    std::mt19937 shape(shapeSeed);
    std::uniform_real_distribution<double> wobble(0.8, 1.2);
    std::vector<std::pair<double, double>> corners;
    for (int i = 0; i < sides; ++i) {
        const double a = 2 * std::numbers::pi * i / sides;
        corners.emplace_back(50 * wobble(shape) * std::cos(a), 30 * wobble(shape) * std::sin(a));
    }
    std::vector<int> order(static_cast<std::size_t>(sides));
    for (int i = 0; i < sides; ++i) {
        order[static_cast<std::size_t>(i)] = i;
    }
    std::mt19937 random(orderSeed);
    std::shuffle(order.begin(), order.end(), random);
    Handle start = engine::kNoHandle;
    for (int i : order) {
        const auto& a = corners[static_cast<std::size_t>(i)];
        const auto& b = corners[static_cast<std::size_t>((i + 1) % sides)];
        const bool forward = i == 0 || random() % 2 == 0;
        const Handle h = forward ? vecad.AddLine(a.first, a.second, 0, b.first, b.second, 0)
                                 : vecad.AddLine(b.first, b.second, 0, a.first, a.second, 0);
        if (i == 0) {
            start = h;
        }
    }
    return start;
}

// Closed contours end where they began, here and in the corpus test below.
TEST_F(ReorganizeTest, SameContourInAnyOrderAndDirectionGivesTheSamePath) {
    Rows first;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        testing::TestProgram run;
        documents::DrawingWindow& w = run.newDrawing();
        run.main.state.startEntity = drawShuffledPolygon(w.Vecad1, 99, seed, 200);
        run.dialogs().answer(Answer::No);
        ASSERT_EQ(reorganizeEntities(w), ReorganizeEnd::Complete) << "seed " << seed;
        ASSERT_EQ(w.CList.rows.size(), 201u);
        EXPECT_EQ(w.CList.rows.front(), w.CList.rows.back());
        if (seed == 1) {
            first = w.CList.rows;
        } else {
            EXPECT_EQ(w.CList.rows, first) << "seed " << seed;
        }
    }
}

std::string corpus(const std::string& name) {
    return std::string(BRONDEL_CORPUS_DIR) + "/dxf/" + name;
}

// Prepared corpus drawings that hold one contour walk round it and close.
TEST_F(ReorganizeTest, CorpusContoursCloseAfterPreparation) {
    vecad.FileOpen(corpus("ezdxf_6_closed_loop_with_arcs.dxf"));
    prepDrawing(window);
    const int entities = vecad.GetNumEntities();
    EXPECT_EQ(reorganize(vecad.GetFirstEntity()), ReorganizeEnd::Complete);
    ASSERT_EQ(window.CList.rows.size(), static_cast<std::size_t>(entities) + 1);
    EXPECT_EQ(window.CList.rows.front(), window.CList.rows.back());

    documents::DrawingWindow& square = newWindow();
    square.Vecad1.FileOpen(corpus("bjnortier-dxf_squareandcircle.dxf"));
    prepDrawing(square);
    for (Handle h = square.Vecad1.GetFirstEntity(); h != engine::kNoHandle;
         h = square.Vecad1.GetNextEntity(h)) {
        if (square.Vecad1.EntityGetType(h) != 2) {
            square.Vecad1.EntityErase(h, true);  // the circle is a contour of its own
        }
    }
    square.Vecad1.Purge(3);
    ASSERT_EQ(square.Vecad1.GetNumEntities(), 4);
    main.state.startEntity = square.Vecad1.GetFirstEntity();
    dialogs.answer(Answer::No);
    EXPECT_EQ(reorganizeEntities(square), ReorganizeEnd::Complete);
    ASSERT_EQ(square.CList.rows.size(), 5u);
    EXPECT_EQ(square.CList.rows.front(), square.CList.rows.back());
}

}  // namespace
}  // namespace brondel::pathtools
