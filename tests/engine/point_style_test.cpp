// Format Point Style: modes and sizes checked, one undo step each; the
// marker has the strokes its mode names.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/drawing.h"
#include "engine/point_marker.h"
#include "engine/point_style_editor.h"
#include "tests/engine/typed_change.h"

namespace brondel::engine {
namespace {

TEST(PointStyle, TypedChangesAreAppliedAsOneStepOrRefusedInPlace) {
    struct Row {
        const char* typed;
        const char* refusal;
    };
    const Row rows[] = {
        {"mode 3", ""},
        {"mode 98", ""},
        {"mode 5", "0 to 4"},
        {"mode 8", "0 to 4"},
        {"mode 2.5", "0 to 4"},
        {"mode -1", "0 to 4"},
        {"size 2", ""},
        {"size -10", ""},
        {"size 1e9", "drawing units"},
        {"size x", "Not a number"},
        {"shape 2", "Not understood"},
    };
    for (const Row& row : rows) {
        Drawing d;
        PointStyleEditor editor(d);
        testing::expectTypedChange(d, editor, row.typed, row.refusal);
    }
}

TEST(PointStyle, MarkersHaveTheStrokesOfTheirMode) {
    struct Row {
        int mode;
        std::size_t strokes;
    };
    for (const Row& row : {Row{0, 0}, Row{1, 0}, Row{2, 2}, Row{3, 2}, Row{4, 1}, Row{34, 26},
                           Row{67, 6}, Row{97, 28}}) {
        SCOPED_TRACE(row.mode);
        const std::vector<MarkerStroke> strokes = pointMarker({10, 20}, row.mode, 4);
        EXPECT_EQ(strokes.size(), row.strokes);
        for (const MarkerStroke& s : strokes) {
            EXPECT_LE(std::abs(s.a.x - 10), 2 + 1e-9);
            EXPECT_LE(std::abs(s.b.y - 20), 2 + 1e-9);
        }
    }
    EXPECT_EQ(pointMarkerSize(3, 200), 3);
    EXPECT_EQ(pointMarkerSize(-10, 200), 20);
    EXPECT_EQ(pointMarkerSize(0, 200), 10);
}

}  // namespace
}  // namespace brondel::engine
