// Adjust Object Snap, Adjust Grid and Adjust PolarTracking set the control's
// drafting aids, and refuse what is out of range leaving them as they were.
#include <gtest/gtest.h>

#include "engine/aid_settings_editor.h"
#include "engine/cad.h"
#include "engine/commands.h"
#include "engine/object_snap.h"
#include "engine/vecad.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using Kind = AidSettingsEditor::Kind;

struct Aids {
    int snapMode;
    bool snapOn, grid, polarOn;
    double polarInc, gridStep;
    bool gridSnap;
    int snapAperture;
    bool operator==(const Aids&) const = default;
};

Aids aidsOf(const Vecad& v) {
    return {v.SnapGetMode(), v.SnapGetOn(),   v.GridGetShow(), v.PolarGetOn(),
            v.PolarGetInc(), v.GridGetStep(), v.GridGetSnap(), CadGetSnapAperture()};
}

TEST(AidSettings, TypedChangesSetTheAidsOrAreRefused) {
    struct Row {
        Kind kind;
        const char* typed;
        const char* refusal;
        void (*expect)(const Vecad&);
    };
    const Row rows[] = {
        {Kind::ObjectSnap, "on endpoint", "",
         [](const Vecad& v) { EXPECT_EQ(v.SnapGetMode(), snap::kCenter | snap::kEndpoint); }},
        {Kind::ObjectSnap, "off center", "", [](const Vecad& v) { EXPECT_EQ(v.SnapGetMode(), 0); }},
        {Kind::ObjectSnap, "clear", "", [](const Vecad& v) { EXPECT_EQ(v.SnapGetMode(), 0); }},
        {Kind::ObjectSnap, "off", "", [](const Vecad& v) { EXPECT_FALSE(v.SnapGetOn()); }},
        {Kind::ObjectSnap, "on quadrant", "No snap named", nullptr},
        {Kind::ObjectSnap, "aperture 12", "",
         [](const Vecad&) { EXPECT_EQ(CadGetSnapAperture(), 12); }},
        {Kind::ObjectSnap, "aperture 0", "from 1 to 50", nullptr},
        {Kind::ObjectSnap, "aperture 51", "from 1 to 50", nullptr},
        {Kind::ObjectSnap, "aperture 2.5", "whole number", nullptr},
        {Kind::Grid, "on", "", [](const Vecad& v) { EXPECT_TRUE(v.GridGetShow()); }},
        {Kind::Grid, "spacing 2.5", "", [](const Vecad& v) { EXPECT_EQ(v.GridGetStep(), 2.5); }},
        {Kind::Grid, "snap on", "", [](const Vecad& v) { EXPECT_TRUE(v.GridGetSnap()); }},
        {Kind::Grid, "spacing 0", "above 0", nullptr},
        {Kind::Grid, "spacing -5", "above 0", nullptr},
        {Kind::Grid, "spacing inf", "Not a number", nullptr},
        {Kind::Grid, "spacing nan", "Not a number", nullptr},
        {Kind::Grid, "spacing", "Not understood", nullptr},
        {Kind::Grid, "snap maybe", "Not understood", nullptr},
        {Kind::PolarTracking, "increment 15", "",
         [](const Vecad& v) { EXPECT_EQ(v.PolarGetInc(), 15); }},
        {Kind::PolarTracking, "on", "", [](const Vecad& v) { EXPECT_TRUE(v.PolarGetOn()); }},
        {Kind::PolarTracking, "increment 0", "above 0 and below 180", nullptr},
        {Kind::PolarTracking, "increment 180", "above 0 and below 180", nullptr},
        {Kind::PolarTracking, "increment x", "Not a number", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        CadPutSnapAperture(5);
        Vecad v;
        v.SnapPutMode(snap::kCenter);
        v.SnapPutOn(true);
        const Aids before = aidsOf(v);
        AidSettingsEditor editor(v, row.kind);
        const std::string answer = editor.command(row.typed);
        if (*row.refusal) {
            EXPECT_NE(answer.find(row.refusal), std::string::npos) << answer;
            EXPECT_EQ(aidsOf(v), before);
        } else {
            EXPECT_EQ(answer, "");
            row.expect(v);
        }
        EXPECT_FALSE(v.drawing().canUndo());
        EXPECT_NE(editor.prompt().find("nothing to close"), std::string::npos);
    }
}

// Presses land on the grid, an object snap beats the grid, and polar
// tracking from a base on the grid keeps the point on it.
TEST(AidSettings, SnapToGridMovesCommandPointsOntoTheGrid) {
    testing::VecadSession s;
    s.v.AddLine(0, 0, 0, 3.3, 0.2, 0);
    s.v.GridPutStep(2.5);
    s.v.GridPutSnap(true);
    s.v.SnapPutMode(snap::kEndpoint);
    s.v.Execute(command::kDrawLine);
    s.press(3.4, 0.3);  // the line's end is within the aperture
    s.press(6.1, 3.9);
    s.v.SnapPutMode(0);
    s.v.PolarPutOn(true);
    s.press(11.1, 6.4);  // the grid point (10, 7.5), then ortho from (5, 5)
    s.v.commandKey(13);
    const auto& drawn = s.v.drawing().entities();
    ASSERT_EQ(drawn.size(), 3u);
    const LineGeom first = *geomIf<LineGeom>(drawn[1]);
    const LineGeom second = *geomIf<LineGeom>(drawn[2]);
    EXPECT_EQ(first.p1, (Point3{3.3, 0.2, 0}));
    EXPECT_EQ(first.p2, (Point3{5, 5, 0}));
    EXPECT_EQ(second.p2, (Point3{10, 5, 0}));

    s.v.GridPutStep(0);  // ignored
    EXPECT_EQ(s.v.GridGetStep(), 2.5);
}

// At 0.1 units a pixel, 8 pixels wide the snap reaches a point 0.7 away
// that the pick, 5 pixels wide, does not.
TEST(AidSettings, TheSnapApertureIsApartFromThePickAperture) {
    testing::VecadSession s;
    s.v.AddLine(0, 0, 0, 10, 0, 0);
    s.v.SnapPutMode(snap::kEndpoint);
    s.v.Execute(command::kDrawLine);
    s.move(10.7, 0);
    EXPECT_FALSE(s.v.snapHit());
    CadPutSnapAperture(8);
    s.move(10.7, 0);
    EXPECT_TRUE(s.v.snapHit());
    const Point2 at = s.window(10.7, 0);
    EXPECT_EQ(s.v.GetEntityAtPoint(at.x, at.y), kNoHandle);
    CadPutPickAperture(8);
    EXPECT_NE(s.v.GetEntityAtPoint(at.x, at.y), kNoHandle);
    CadPutPickAperture(5);
    CadPutSnapAperture(5);
}

}  // namespace
}  // namespace brondel::engine
