#include "pathtools/kerf_offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "pathtools/kerf_command.h"
#include "pathtools/segment_index.h"
#include "tests/support/fake_ports.h"

namespace brondel::pathtools {
namespace {

using engine::Point2;

TEST(KerfOffset, ASquareGrowsByTheKerfExactlyAndKeepsItsWayRound) {
    const std::vector<Point2> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    const KerfOffset offset = kerfOffset(square, 0.2);
    ASSERT_TRUE(offset.done) << offset.message;
    ASSERT_EQ(offset.path.size(), 5u) << "mitred corners, no extra vertices";
    EXPECT_EQ(offset.path.front(), offset.path.back());
    EXPECT_EQ(offset.path[0], (Point2{-0.1, -0.1})) << "starts at the start's corner";
    EXPECT_EQ(offset.path[1], (Point2{10.1, -0.1})) << "runs the same way round";
    EXPECT_EQ(offset.path[2], (Point2{10.1, 10.1}));
    EXPECT_EQ(offset.path[3], (Point2{-0.1, 10.1}));
}

// A symmetric airfoil (NACA 0012) as a closed polygon: no vertex of its
// offset comes nearer the outline than half the kerf (the part keeps its
// size), none stands off farther than the mitre limit allows (a mitre
// over the nose's short edges stands a little off their corners), and
// between corners the cut runs half the kerf off.
TEST(KerfOffset, EveryPointOfAnOffsetAirfoilIsHalfTheKerfAway) {
    std::vector<Point2> airfoil;
    const int n = 60;
    const auto thickness = [](double x) {
        return 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                      0.1036 * x * x * x * x);
    };
    for (int i = 0; i <= n; ++i) {  // upper surface, trailing edge to nose
        const double x = 0.5 * (1 + std::cos(std::numbers::pi * i / n));
        airfoil.push_back({100 * x, 100 * thickness(x)});
    }
    for (int i = n - 1; i >= 0; --i) {  // lower surface back
        const double x = 0.5 * (1 + std::cos(std::numbers::pi * i / n));
        airfoil.push_back({100 * x, -100 * thickness(x)});
    }
    airfoil.back() = airfoil.front();
    std::vector<Segment> outline;
    for (std::size_t i = 1; i < airfoil.size(); ++i) {
        outline.push_back({airfoil[i - 1], airfoil[i]});
    }
    const double kerf = 0.3;
    const KerfOffset offset = kerfOffset(airfoil, kerf);
    ASSERT_TRUE(offset.done) << offset.message;
    const SegmentIndex index(outline, 0);
    for (const Point2& p : offset.path) {
        const double away = index.nearest(p);
        EXPECT_GE(away, kerf / 2 - 1e-9) << p.x << ", " << p.y;
        if (p.x <= 100) {
            EXPECT_LE(away, kMitreLimit * kerf / 2) << p.x << ", " << p.y;
        } else {
            EXPECT_LE(p.x - 100, kMitreLimit * kerf / 2 + 1e-9) << "cut off at the limit";
        }
    }
    // Between corners the cut runs half the kerf off the outline, to what
    // GEOS's buffer holds (about 4e-8 here, far below the DAT's 4 decimals).
    for (std::size_t i = 1; i < offset.path.size(); ++i) {
        const Point2 a = offset.path[i - 1], b = offset.path[i];
        const Point2 middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
        if (middle.x <= 100) {
            EXPECT_NEAR(index.nearest(middle), kerf / 2, 1e-7) << middle.x << ", " << middle.y;
        }
    }
}

TEST(KerfOffset, RefusesWhatHasNoInsideOrNoWidth) {
    const std::vector<Point2> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    for (const double bad : {0.0, -1.0, std::nan("")}) {
        EXPECT_FALSE(kerfOffset(square, bad).done) << bad;
    }
    EXPECT_FALSE(kerfOffset({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 0.1).done) << "open";
    const KerfOffset bowtie = kerfOffset({{0, 0}, {10, 10}, {10, 0}, {0, 10}, {0, 0}}, 0.1);
    EXPECT_FALSE(bowtie.done);
    EXPECT_EQ(bowtie.message, "The path crosses itself: it has no inside to allow the kerf for");
}

// The menu command on a reorganized square: list and drawing become the
// offset path as one undo step; a width that is no length is refused first.
TEST(KerfOffsetCommand, OffsetsTheListAndTheDrawingAsOneStep) {
    testing::TestProgram program;
    shell::MainWindow& main = program.main;
    main.click("mnuFileNew");
    documents::DrawingWindow& window = *main.active();
    window.Vecad1.AddLine(0, 0, 0, 10, 0, 0);
    window.CList.rows = {"0, 0", "10, 0", "10, 10", "0, 10", "0, 0"};
    program.dialogs().input("-1").input("0.2").answer(ports::Answer::Ok);
    main.click("mnuKerfOffset");
    EXPECT_EQ(program.dialogs().messages().at(0).text, kKerfRefusedText);
    EXPECT_EQ(window.CList.rows, (std::vector<std::string>{"-0.1, -0.1", "10.1, -0.1", "10.1, 10.1",
                                                           "-0.1, 10.1", "-0.1, -0.1"}));
    EXPECT_EQ(window.Vecad1.GetNumEntities(), 4);
    window.Vecad1.drawing().undo();
    EXPECT_EQ(window.Vecad1.GetNumEntities(), 1) << "one step takes it back";

    // An open path is refused and nothing changes.
    window.CList.rows = {"0, 0", "10, 0", "10, 10"};
    program.dialogs().input("0.2").answer(ports::Answer::Ok);
    main.click("mnuKerfOffset");
    EXPECT_EQ(window.CList.rows.size(), 3u);
    EXPECT_EQ(window.Vecad1.GetNumEntities(), 1);
}

}  // namespace
}  // namespace brondel::pathtools
