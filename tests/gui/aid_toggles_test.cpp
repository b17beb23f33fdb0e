#include "app/desktop/aid_toggles.h"

#include <QKeyEvent>
#include <QToolButton>

#include "tests/gui/user_session.h"

// Snap, Grid and Ortho on the status bar: each shows the active drawing's
// switch however it was flipped, and flips it itself.
namespace brondel::desktop {
namespace {

using shell::DraftingAid;

class AidTogglesTest : public testing::UserSession {
  protected:
    AidTogglesTest() { click("mnuFileNew"); }
    QToolButton* toggle(DraftingAid aid) { return frame.aidToggles()->button(aid); }
    bool on(DraftingAid aid) { return program.main.aidOn(aid); }
    void key(int qtKey) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
        QApplication::sendEvent(activeFrame().drawingView(), &press);
        QApplication::processEvents();
    }
};

TEST_F(AidTogglesTest, EachToggleNamesItsKeyAndFollowsEveryWayOfSwitching) {
    struct Row {
        DraftingAid aid;
        int qtKey;
        const char* keyName;
        std::function<void()> otherWay;  // a menu item or button, if any
    };
    const Row rows[] = {
        {DraftingAid::Snap, Qt::Key_F3, "(F3)", [this] { pressButton("asxToolbar4", 12); }},
        {DraftingAid::Grid, Qt::Key_F7, "(F7)", nullptr},
        {DraftingAid::Ortho, Qt::Key_F8, "(F8)", [this] { click("mnuOrtho"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keyName);
        QToolButton* button = toggle(row.aid);
        EXPECT_TRUE(button->toolTip().contains(row.keyName));
        const bool before = on(row.aid);
        EXPECT_EQ(button->isChecked(), before);
        button->click();
        QApplication::processEvents();
        EXPECT_EQ(on(row.aid), !before);
        EXPECT_EQ(button->isChecked(), !before);
        key(row.qtKey);
        EXPECT_EQ(on(row.aid), before);
        EXPECT_EQ(button->isChecked(), before);
        if (row.otherWay) {
            row.otherWay();
            EXPECT_EQ(on(row.aid), !before);
            EXPECT_EQ(button->isChecked(), !before);
        }
    }
    // The Ortho item shows the switch the status bar flipped.
    QAction* orthoItem = frame.menuBinding().action("mnuOrtho");
    EXPECT_TRUE(orthoItem->isChecked());
    toggle(DraftingAid::Ortho)->click();
    QApplication::processEvents();
    EXPECT_FALSE(orthoItem->isChecked());
}

TEST_F(AidTogglesTest, TheGridIsDrawnAndTheTogglesFollowTheActiveDrawing) {
    program.active().Vecad1.view().set({0, 0}, 0.25);  // grid dots 40 pixels apart
    const QPoint dot = pixelOf(10, 10).toPoint();
    const auto drawnNearDot = [&] {
        return testing::seenNear(activeFrame().drawingView()->grab().toImage(), dot,
                                 [](QColor c) { return qGray(c.rgb()) > 0x40; });
    };
    EXPECT_FALSE(drawnNearDot());
    key(Qt::Key_F7);
    EXPECT_TRUE(drawnNearDot());

    documents::DrawingWindow* first = program.main.active();
    click("mnuFileNew");
    EXPECT_FALSE(toggle(DraftingAid::Grid)->isChecked());
    program.main.activate(first);
    QApplication::processEvents();
    EXPECT_TRUE(toggle(DraftingAid::Grid)->isChecked());
    EXPECT_TRUE(toggle(DraftingAid::Grid)->isEnabled());
}

}  // namespace
}  // namespace brondel::desktop
