// Adjust Object Snap, Adjust Grid and Adjust PolarTracking set the control's
// drafting aids, and refuse what is out of range leaving them as they were.
#include <gtest/gtest.h>

#include "engine/aid_settings_editor.h"
#include "engine/object_snap.h"
#include "engine/vecad.h"

namespace brondel::engine {
namespace {

using Kind = AidSettingsEditor::Kind;

struct Aids {
    int snapMode;
    bool snapOn, grid, polarOn;
    double polarInc;
    bool operator==(const Aids&) const = default;
};

Aids aidsOf(const Vecad& v) {
    return {v.SnapGetMode(), v.SnapGetOn(), v.GridGetShow(), v.PolarGetOn(), v.PolarGetInc()};
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
        {Kind::Grid, "on", "", [](const Vecad& v) { EXPECT_TRUE(v.GridGetShow()); }},
        {Kind::Grid, "spacing 5", "Not understood", nullptr},
        {Kind::PolarTracking, "increment 15", "",
         [](const Vecad& v) { EXPECT_EQ(v.PolarGetInc(), 15); }},
        {Kind::PolarTracking, "on", "", [](const Vecad& v) { EXPECT_TRUE(v.PolarGetOn()); }},
        {Kind::PolarTracking, "increment 0", "above 0 and below 180", nullptr},
        {Kind::PolarTracking, "increment 180", "above 0 and below 180", nullptr},
        {Kind::PolarTracking, "increment x", "Not a number", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
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

}  // namespace
}  // namespace brondel::engine
