// The Format Dimension Style dialog applies its fields as one undo step,
// and OK with nothing changed leaves the drawing as it was.
#include "app/desktop/dimension_style_dialog.h"

#include <gtest/gtest.h>

#include "engine/dimension_style_editor.h"
#include "engine/drawing.h"

namespace brondel::desktop {
namespace {

TEST(DimensionStyleDialog, FieldsApplyAsOneStep) {
    engine::Drawing d;
    engine::DimStyleEditor editor(d);
    DimensionStyleDialog dialog(editor);
    const std::uint64_t version = d.version();
    EXPECT_TRUE(dialog.applyFields());
    EXPECT_EQ(d.version(), version);

    dialog.setTextHeight(5);
    EXPECT_TRUE(dialog.applyFields());
    EXPECT_EQ(d.header().dimStyle.textHeight, 5);
    EXPECT_EQ(d.undoLabel(), "Format Dimension Style");
    d.undo();
    EXPECT_FALSE(d.canUndo());
    EXPECT_TRUE(dialog.problem().isEmpty());
}

}  // namespace
}  // namespace brondel::desktop
