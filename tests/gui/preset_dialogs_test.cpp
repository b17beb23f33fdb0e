// The colour and view preset dialogs: a press on a swatch or a preset button
// does what the editor does for the typed word, and closes the dialog.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QToolButton>

#include "app/desktop/color_dialog.h"
#include "app/desktop/view_presets_dialog.h"
#include "engine/current_properties_editor.h"
#include "engine/vecad.h"
#include "engine/view_presets_editor.h"

namespace brondel::desktop {
namespace {

QAbstractButton* buttonNamed(QWidget& dialog, const QString& text) {
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) {
        if (b->text() == text || b->toolTip() == text) {
            return b;
        }
    }
    return nullptr;
}

TEST(PresetDialogs, APressSetsTheColourOrTheViewAsOneChange) {
    engine::Drawing d;
    engine::CurrentPropertiesEditor colors(d, engine::CurrentPropertiesEditor::Kind::Color);
    CurrentColorDialog colorDialog(colors);
    EXPECT_EQ(colorDialog.findChildren<QToolButton*>().size(), 255);
    QAbstractButton* swatch = buttonNamed(colorDialog, "Colour 42");
    ASSERT_TRUE(swatch);
    swatch->click();
    EXPECT_EQ(colorDialog.result(), QDialog::Accepted);
    EXPECT_EQ(d.header().currentColor.aci, 42);
    EXPECT_EQ(d.undoLabel(), colors.title());

    engine::Vecad v;
    engine::ViewPresetsEditor presets(v);
    ViewPresetsDialog viewDialog(presets);
    QAbstractButton* top = buttonNamed(viewDialog, "Top");
    ASSERT_TRUE(top);
    EXPECT_TRUE(top->isChecked());
    buttonNamed(viewDialog, "N.E. isometric")->click();
    EXPECT_EQ(v.viewDirection(), engine::ViewDirection::NorthEast);
    EXPECT_EQ(viewDialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace brondel::desktop
