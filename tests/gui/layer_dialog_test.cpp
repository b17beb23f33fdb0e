// The Format Layers dialog applies each cell edit at once and shows a
// refused one under the table, with the row as the layer still is.
#include "app/desktop/layer_dialog.h"

#include <gtest/gtest.h>

#include <QTableWidget>

#include "engine/drawing.h"
#include "engine/layer_editor.h"

namespace brondel::desktop {
namespace {

enum Column { Current, Name, On, Frozen, Locked, Colour, LineType, Weight };

TEST(LayerDialog, CellEditsApplyOrAreRefusedInPlace) {
    engine::Drawing d;
    d.addLayer(engine::Layer{"Cut"});
    engine::LayerEditor editor(d);
    LayerDialog dialog(editor);
    QTableWidget* table = dialog.table();
    ASSERT_EQ(table->rowCount(), 2);

    struct Row {
        int row, column;
        QString text;  // a check box when empty
        QString refusal;
    };
    const Row rows[] = {
        {1, Colour, "300", "1 to 255"},
        {1, Colour, "4", ""},
        {0, Frozen, "", "current layer cannot be frozen"},
        {1, Locked, "", ""},
        {1, Weight, "33", "Not a line weight"},
        {1, Name, "Engrave", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text.toStdString());
        const std::uint64_t version = d.version();
        QTableWidgetItem* item = table->item(r.row, r.column);
        if (r.text.isEmpty()) {
            item->setCheckState(Qt::Checked);
        } else {
            item->setText(r.text);
        }
        EXPECT_TRUE(dialog.problem().contains(r.refusal));
        EXPECT_EQ(d.version() == version, !r.refusal.isEmpty());
    }
    const engine::Layer* engrave = d.findLayer("Engrave");
    ASSERT_NE(engrave, nullptr);
    EXPECT_EQ(engrave->color.aci, 4);
    EXPECT_TRUE(engrave->locked);
    EXPECT_FALSE(d.findLayer("0")->frozen);
    EXPECT_EQ(table->item(0, Frozen)->checkState(), Qt::Unchecked);
    EXPECT_EQ(table->item(1, Name)->text(), "Engrave");
}

}  // namespace
}  // namespace brondel::desktop
