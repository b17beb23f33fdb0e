#include "tests/gui/user_session.h"

#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <fstream>
#include <map>
#include <utility>

// The drawing windows inside the main window as a user meets them: several
// open at once, one coming and going, arranged, closed at Exit.
namespace brondel::desktop {
namespace {

class DrawingWindowsTest : public testing::UserSession {
  protected:
    std::string datFile() {
        const std::string file = program.folder.file("tri.dat");
        std::ofstream(file) << "0 0\r\n0.5 0.25\r\n1 0\r\n";
        return file;
    }
    // Whether Zoom Extents leaves the drawing's corners where the user sees
    // them: inside the window, and right of the list frame when it shows.
    void expectExtentsSeen(const std::string& when) {
        DrawingFrame& shown = activeFrame();
        QWidget* view = shown.drawingView();
        QRect seen = view->rect() &
                     QRect(view->mapFrom(shown.widget(), QPoint(0, 0)), shown.widget()->size());
        const QWidget* lists = shown.coordinateList()->parentWidget();
        if (lists->isVisible()) {
            seen.setLeft(view->mapFromGlobal(lists->mapToGlobal(QPoint(lists->width(), 0))).x());
        }
        for (const auto& [x, y] : {std::pair{0.0, 0.0}, {100.0, 50.0}}) {
            EXPECT_TRUE(seen.contains(pixelOf(x, y).toPoint()))
                << when << ": (" << x << ", " << y << ") at " << pixelOf(x, y).x() << ", "
                << pixelOf(x, y).y();
        }
    }
    // Whether the drawing shows in the part of each window on screen.
    void expectEveryDrawingShown(const std::string& when) {
        QApplication::processEvents();
        const QImage screen = frame.mdiArea()->grab().toImage();
        for (QMdiSubWindow* child : frame.mdiArea()->subWindowList()) {
            auto* shown = static_cast<DrawingFrame*>(child);
            QWidget* view = shown->drawingView();
            const QRect seen = QRect(view->mapTo(frame.mdiArea(), QPoint(0, 0)), view->size()) &
                               QRect(shown->widget()->mapTo(frame.mdiArea(), QPoint(0, 0)),
                                     shown->widget()->size());
            int lit = 0;
            for (int y = seen.top(); y <= seen.bottom(); ++y) {
                for (int x = seen.left(); x <= seen.right(); ++x) {
                    lit += qGray(screen.pixel(x, y)) > 0x80 ? 1 : 0;
                }
            }
            EXPECT_GT(seen.width(), 100) << when;
            EXPECT_GT(seen.height(), 100) << when;
            EXPECT_GT(lit, 20) << when << ": " << shown->title().toStdString();
        }
    }
    // How each child stands on screen.
    std::map<QMdiSubWindow*, QRect> placement() {
        std::map<QMdiSubWindow*, QRect> placed;
        for (QMdiSubWindow* child : frame.mdiArea()->subWindowList()) {
            placed[child] = child->isHidden() ? QRect() : child->geometry();
        }
        return placed;
    }
};

TEST_F(DrawingWindowsTest, AnImportClosedAgainLeavesTheOtherWindowsAsTheyWere) {
    click("mnuFileNew");
    click("mnuFileNew");
    const auto before = placement();
    program.dialogs().open(datFile()).input("0");
    click("mnuDatFile");
    ASSERT_EQ(program.main.windows().size(), 2u);
    EXPECT_EQ(placement(), before);
    EXPECT_EQ(frame.mdiArea()->activeSubWindow(), &activeFrame());
    EXPECT_TRUE(activeFrame().isMaximized());
    for (const auto& [child, at] : placement()) {
        EXPECT_GT(at.height(), child->minimumSizeHint().height() * 3) << "not just a title bar";
    }
}

TEST_F(DrawingWindowsTest, ZoomExtentsFitsWhatTheListsAndASmallerWindowLeaveFree) {
    click("mnuFileNew");
    program.active().Vecad1.AddLine(0, 0, 0, 100, 50, 0);
    click("mnuViewLists");
    click("mnuViewZoomExt");
    expectExtentsSeen("beside the lists");
    click("mnuFileNew");
    program.active().Vecad1.AddLine(0, 0, 0, 100, 50, 0);
    click("mnuWindowTile");
    click("mnuViewZoomExt");
    expectExtentsSeen("tiled");
}

TEST_F(DrawingWindowsTest, TileAndCascadeShowEveryDrawing) {
    for (int i = 0; i < 3; ++i) {
        click("mnuFileNew");
        // A flat shape, like a rib: zoomed whole it runs through the middle.
        program.active().Vecad1.AddLine(0, 0, 0, 100, 0, 0);
        program.active().Vecad1.AddLine(0, 1, 0, 100, 1, 0);
        click("mnuViewZoomExt");
    }
    click("mnuWindowTile");
    expectEveryDrawingShown("tiled");
    click("mnuWindowCascade");
    expectEveryDrawingShown("cascaded");
}

}  // namespace
}  // namespace brondel::desktop
