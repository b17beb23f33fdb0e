#include <QListView>

#include "app/desktop/drawing_view.h"
#include "coordfiles/rows.h"
#include "tests/gui/user_session.h"

// A picked row of the coordinate or DAT list is marked in its view, over
// the drawing and not in it.
namespace brondel::desktop {
namespace {

class RowMarkTest : public testing::UserSession {
  protected:
    RowMarkTest() { click("mnuFileNew"); }
};

TEST_F(RowMarkTest, APickedRowIsMarkedInItsViewWithoutChangingTheDrawing) {
    documents::DrawingWindow& window = program.active();
    window.Vecad1.view().set({0, 0}, 0.25);
    window.Vecad1.AddLine(0, 0, 0, 30, 0, 0);
    const int entities = window.Vecad1.GetNumEntities();
    const bool changed = window.Vecad1.HasChanged();
    struct {
        documents::ListBox& list;
        QListView* view;
        DrawingView* marked;
        std::string (*row)(double, double);
    } lists[] = {
        {window.CList, activeFrame().coordinateList(),
         static_cast<DrawingView*>(activeFrame().drawingView()), coordfiles::coordinateRow},
        {window.DList, activeFrame().datList(),
         static_cast<DrawingView*>(activeFrame().previewView()), coordfiles::datRow},
    };
    for (auto& l : lists) {
        l.list.rows = {l.row(1, 2), l.row(10, -5)};
        l.list.changed.emit();
        EXPECT_FALSE(l.marked->mark().has_value());
        l.view->setCurrentIndex(l.view->model()->index(1, 0));
        ASSERT_TRUE(l.marked->mark().has_value());
        EXPECT_NEAR(l.marked->mark()->x, 10, 1e-6);
        EXPECT_NEAR(l.marked->mark()->y, -5, 1e-6);
        // New rows take the mark away.
        l.list.changed.emit();
        EXPECT_FALSE(l.marked->mark().has_value());
    }
    // Drawn over the drawing where the row's point lies.
    auto* drawing = static_cast<DrawingView*>(activeFrame().drawingView());
    activeFrame().coordinateList()->setCurrentIndex(
        activeFrame().coordinateList()->model()->index(1, 0));
    const QPoint ring = pixelOf(10, -5).toPoint() + QPoint(6, 0);
    EXPECT_TRUE(testing::seenNear(drawing->grab().toImage(), ring, [](QColor c) {
        return c.red() > 0xc0 && c.blue() > 0xc0 && c.green() < 0x80;
    }));
    EXPECT_EQ(window.Vecad1.GetNumEntities(), entities);
    EXPECT_EQ(window.Vecad1.HasChanged(), changed);
}

}  // namespace
}  // namespace brondel::desktop
