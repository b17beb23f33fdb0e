#include "engine/vecad.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/error.h"
#include "engine/cad.h"
#include "engine/commands.h"
#include "tests/support/thrown.h"

namespace brondel::engine {
namespace {

struct Point {
    double x, y, z;
};
Point point1(Handle h) {
    Point p{};
    CadLineGetPoint1(h, p.x, p.y, p.z);
    return p;
}
Point point2(Handle h) {
    Point p{};
    CadLineGetPoint2(h, p.x, p.y, p.z);
    return p;
}

TEST(Vecad, ZoomExtentsFitsAndWindowYRunsDown) {
    Vecad v;
    v.AddLine(-10, -5, 0, 30, 15, 0);
    v.Execute(command::kZoomExtents);
    EXPECT_LE(v.ViewGetLeft(), -10);
    EXPECT_GE(v.ViewGetRight(), 30);
    EXPECT_LE(v.ViewGetBottom(), -5);
    EXPECT_GE(v.ViewGetTop(), 15);
    // Window y runs down: a point above the centre has a smaller window y.
    EXPECT_LT(v.view().toWindow(10, 14).y, v.view().toWindow(10, 0).y);

    const double width = v.ViewGetRight() - v.ViewGetLeft();
    v.Execute(command::kZoomIn);
    EXPECT_NEAR(v.ViewGetRight() - v.ViewGetLeft(), width / 2, 1e-9);
    v.Execute(command::kZoomOut);
    EXPECT_NEAR(v.ViewGetRight() - v.ViewGetLeft(), width, 1e-9);
}

TEST(Vecad, PicksTheNearestEntityWithinTheAperture) {
    Vecad v;
    v.view().set({0, 0}, 0.1);  // 5 px aperture = 0.5 units
    const Handle low = v.AddLine(-10, 0, 0, 10, 0, 0);
    const Handle high = v.AddLine(-10, 0.3, 0, 10, 0.3, 0);
    const Point2 nearLow = v.view().toWindow(1, 0.1);
    v.pressAt(nearLow.x, nearLow.y);
    EXPECT_EQ(v.GetPickedEntity(), low);
    const Point2 nearHigh = v.view().toWindow(1, 0.25);
    EXPECT_EQ(v.GetEntityAtPoint(nearHigh.x, nearHigh.y), high);
    const Point2 far = v.view().toWindow(1, 3);
    v.pressAt(far.x, far.y);
    EXPECT_EQ(v.GetPickedEntity(), kNoHandle);
}

TEST(Vecad, SelectionKeepsOrderAndWalksByPointer) {
    Vecad v;
    const Handle a = v.AddLine(0, 0, 0, 1, 0, 0);
    const Handle b = v.AddLine(1, 0, 0, 2, 0, 0);
    const Handle c = v.AddLine(5, 5, 0, 6, 6, 0);
    v.SelectEntity(c, true);
    v.SelectEntity(a, true);
    v.SelectEntity(c, true);
    EXPECT_EQ(v.SelCount(), 2);
    Vecad::SelPtr p = v.SelGetFirstPtr();
    EXPECT_EQ(v.GetEntityByPtr(p), c);
    p = v.SelGetNextPtr(p);
    EXPECT_EQ(v.GetEntityByPtr(p), a);
    EXPECT_EQ(v.SelGetNextPtr(p), 0);
    EXPECT_THROW(v.GetEntityByPtr(0), Error);

    v.SelClear();
    EXPECT_EQ(v.SelectByDist(1, 0, 0, 0.01, true, true), 2);
    EXPECT_EQ(v.selection(), (std::vector<Handle>{a, b}));
    v.EntityErase(a, true);
    EXPECT_EQ(v.selection(), (std::vector<Handle>{b}));
    EXPECT_EQ(v.SelectByDist(1, 0, 0, 0.01, true, true), 1);
}

TEST(Vecad, LargeSelectionsStayFreeOfDuplicatesAndInOrder) {
    Vecad v;
    std::vector<Handle> hs;
    for (int i = 0; i < 100; ++i) {
        hs.push_back(v.AddLine(i, 0, 0, i + 0.5, 0, 0));
    }
    for (int i = 99; i >= 0; --i) {
        v.SelectEntity(hs[i], true);
    }
    v.SelectEntity(hs[50], true);
    EXPECT_EQ(v.SelCount(), 100);
    EXPECT_EQ(v.selection().front(), hs[99]);
    v.EntityErase(hs[99], true);
    v.SelectEntity(hs[0], false);
    EXPECT_EQ(v.SelCount(), 98);
    EXPECT_FALSE(v.isSelected(hs[0]));
    EXPECT_TRUE(v.isSelected(hs[1]));
    EXPECT_EQ(v.Purge(3), 1);
    EXPECT_EQ(v.SelCount(), 98);
}

TEST(Vecad, FlatFunctionsAnswerForEveryKindAndRefuseBadHandles) {
    Vecad v;
    const Handle line = v.AddLine(1, 2, 3, 4, 5, 6);
    EXPECT_EQ(CadEntityGetType(line), 2);
    EXPECT_EQ(point1(line).x, 1);
    EXPECT_EQ(point2(line).z, 6);

    ArcGeom arc{{0, 0, 0}, 2, kPi / 2, -kPi / 2};  // clockwise quarter from the top
    const Handle a = v.drawing().add(Entity(arc));
    EXPECT_EQ(CadEntityGetType(a), 4);
    EXPECT_NEAR(point1(a).y, 2, 1e-12);
    EXPECT_NEAR(point2(a).x, 2, 1e-12);
    EXPECT_DOUBLE_EQ(CadArcGetAngle(a), -kPi / 2);
    EXPECT_DOUBLE_EQ(CadArcGetRadius(a), 2);

    const Handle circle = v.drawing().add(Entity(CircleGeom{{1, 1, 0}, 3}));
    EXPECT_DOUBLE_EQ(CadArcGetAngle(circle), kTwoPi);
    EXPECT_EQ(point1(circle).x, point2(circle).x);

    PolylineGeom poly;
    poly.vertices = {{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}};
    const Handle open = v.drawing().add(Entity(poly));
    EXPECT_EQ(point2(open).y, 1);
    poly.closed = true;
    const Handle closed = v.drawing().add(Entity(poly));
    EXPECT_EQ(point2(closed).y, 0);

    const Handle text = v.AddText("|", 7, 8, 0, 1, 2.5, 1.0, 0.3, 0);
    EXPECT_EQ(CadEntityGetType(text), 13);
    EXPECT_THROW(CadArcGetRadius(line), Error);

    v.EntityErase(line, true);
    v.Purge(3);
    // A purged handle is refused.
    EXPECT_EQ(brondel::testing::thrown([&] { CadEntityGetType(line); }).number, err::kNoSuchEntity);
    EXPECT_THROW(CadEntityGetType(0), Error);
    EXPECT_THROW(CadEntityGetType(-7), Error);
}

TEST(Vecad, HandlesOfTwoControlsStayApart) {
    Vecad first, second;
    const Handle a = first.AddLine(0, 0, 0, 1, 0, 0);
    const Handle b = second.AddLine(0, 0, 0, 2, 0, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(point2(a).x, 1);
    EXPECT_EQ(point2(b).x, 2);
    EXPECT_THROW(first.EntityGetType(b), Error);
    EXPECT_THROW(first.SelectEntity(b, true), Error);
}

TEST(Vecad, PurgeModesAndRotation) {
    Vecad v;
    const Handle a = v.AddLine(0, 0, 0, 2, 0, 0);
    v.AddPoint(5, 5, 0);
    v.EntityRotate(a, 1, 0, 0, kPi);
    EXPECT_NEAR(point1(a).x, 2, 1e-12);
    EXPECT_NEAR(point2(a).x, 0, 1e-12);
    EXPECT_EQ(v.Purge(3), 0);
    EXPECT_EQ(v.Purge(1), 2);
    EXPECT_EQ(v.GetNumEntities(), 0);
    EXPECT_EQ(v.GetFirstEntity(), kNoHandle);
    EXPECT_THROW(v.Purge(2), Error);
}

TEST(Vecad, DwgFilesAreRefusedWithAClearError) {
    Vecad v;
    const brondel::testing::Thrown e =
        brondel::testing::thrown([&] { v.FileOpen("/nonexistent/plan.DWG"); });
    EXPECT_EQ(e.number, err::kDwgNotSupported);
    EXPECT_NE(e.description.find("DXF"), std::string::npos);
}

}  // namespace
}  // namespace brondel::engine
