#include "tests/gui/user_session.h"

#include <QMouseEvent>
#include <QPointer>

#include "app/desktop/drawing_frame.h"
#include "app/desktop/magnifier.h"
#include "app/desktop/navigator.h"
#include "app/desktop/view_painter.h"

namespace brondel::desktop {
namespace {

constexpr int kMagnifierButton = 13;
constexpr int kNavigatorButton = 14;

// The magnifier is a program setting: each test starts, and leaves it, off.
class ToolWindowsTest : public testing::UserSession {
  protected:
    void SetUp() override {
        engine::CadMagPutShow(false);
        click("mnuFileNew");
        child_ = &activeFrame();
    }
    void TearDown() override { engine::CadMagPutShow(false); }

    documents::DrawingWindow& window() { return program.active(); }
    Navigator* navigator() const { return child_->findChild<Navigator*>(); }
    Magnifier* magnifier() const { return child_->findChild<Magnifier*>(); }

    static void send(QWidget& widget, QEvent::Type type, QPoint at) {
        QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
        QApplication::processEvents();
    }
    static void moveTo(QWidget& widget, QPoint at) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), QPointF(widget.mapToGlobal(at)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
        QApplication::processEvents();
    }

    DrawingFrame* child_ = nullptr;
};

TEST_F(ToolWindowsTest, NavigatorAppearsOnceHowEverOftenItIsAskedFor) {
    EXPECT_EQ(navigator(), nullptr);
    pressButton("asxToolbar1", kNavigatorButton);
    pressButton("asxToolbar1", kNavigatorButton);
    EXPECT_TRUE(window().Vecad1.NavGetParam(4));
    ASSERT_EQ(child_->findChildren<Navigator*>().size(), 1);
    // Should the control make it again, the window stays the one.
    window().Vecad1.NavCreate(program.main.handle(), 0, 0, Navigator::kSize, Navigator::kSize,
                              1024);
    ASSERT_EQ(child_->findChildren<Navigator*>().size(), 1);
    EXPECT_TRUE(navigator()->isVisible());
    EXPECT_TRUE(navigator()->isWindow());
    EXPECT_EQ(navigator()->size(), QSize(Navigator::kSize, Navigator::kSize));
    // It goes with its drawing window.
    const QPointer<Navigator> shown(navigator());
    click("mnuClose");
    EXPECT_TRUE(program.main.windows().empty());
    EXPECT_TRUE(shown.isNull());
}

TEST_F(ToolWindowsTest, NavigatorFramesTheViewAndAClickCentresItThere) {
    engine::Vecad& vecad = window().Vecad1;
    vecad.AddLine(0, 0, 0, 400, 200, 0);
    vecad.ZoomExtents();
    vecad.view().zoomBy(4);
    vecad.Update();
    pressButton("asxToolbar1", kNavigatorButton);
    Navigator* nav = navigator();
    ASSERT_NE(nav, nullptr);

    const QRectF before = nav->viewRectangle();
    EXPECT_TRUE(QRectF(nav->rect()).contains(before));
    EXPECT_LT(before.width(), nav->width() / 2);
    const double scale = vecad.view().scale();

    const QPoint target(30, 100);
    send(*nav, QEvent::MouseButtonPress, target);
    const QRectF after = nav->viewRectangle();
    EXPECT_NEAR(after.center().x(), target.x(), 1);
    EXPECT_NEAR(after.center().y(), target.y(), 1);
    EXPECT_NEAR(after.width(), before.width(), 1e-6);
    EXPECT_EQ(vecad.view().scale(), scale);

    // Dragging with the button held keeps centring.
    send(*nav, QEvent::MouseMove, QPoint(100, 40));
    EXPECT_NEAR(nav->viewRectangle().center().x(), 100, 1);
    EXPECT_NEAR(nav->viewRectangle().center().y(), 40, 1);
}

TEST_F(ToolWindowsTest, MagnifierFollowsTheEngineSettingWhileTheCursorIsInTheDrawing) {
    Magnifier* loupe = magnifier();
    ASSERT_NE(loupe, nullptr);
    QWidget& view = *loupe->parentWidget();
    const QPoint cursor(view.width() / 2, view.height() / 2);
    moveTo(view, cursor);
    EXPECT_FALSE(loupe->on());
    EXPECT_FALSE(loupe->isVisible());

    pressButton("asxToolbar1", kMagnifierButton);
    EXPECT_NE(engine::CadMagGetShow(), 0);
    EXPECT_TRUE(loupe->on());
    moveTo(view, cursor);
    EXPECT_TRUE(loupe->isVisible());
    EXPECT_TRUE(view.rect().contains(loupe->geometry()));
    EXPECT_FALSE(loupe->geometry().contains(cursor));

    // Set directly; the control's next redraw tells the loupe.
    engine::CadMagPutShow(false);
    window().Vecad1.WndRedraw();
    EXPECT_FALSE(loupe->isVisible());
    engine::CadMagPutShow(true);
    window().Vecad1.Update();
    EXPECT_TRUE(loupe->isVisible());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view, &leave);
    EXPECT_FALSE(loupe->isVisible());
    EXPECT_TRUE(loupe->on());

    pressButton("asxToolbar1", kMagnifierButton);
    EXPECT_EQ(engine::CadMagGetShow(), 0);
    moveTo(view, cursor);
    EXPECT_FALSE(loupe->isVisible());
}

TEST_F(ToolWindowsTest, MagnifierShowsTheDrawingUnderTheCursorEnlarged) {
    engine::Vecad& vecad = window().Vecad1;
    Magnifier* loupe = magnifier();
    ASSERT_NE(loupe, nullptr);
    QWidget& view = *loupe->parentWidget();
    const QPoint cursor(view.width() / 3, view.height() / 3);
    // A level line through the point under the cursor, another well off it.
    const engine::Point2 under = vecad.view().toWorld(cursor.x(), cursor.y());
    const double step = vecad.view().scale();
    vecad.AddLine(under.x - 100 * step, under.y, 0, under.x + 100 * step, under.y, 0);
    vecad.AddLine(under.x - 100 * step, under.y + 20 * step, 0, under.x + 100 * step,
                  under.y + 20 * step, 0);
    engine::CadMagPutShow(true);
    vecad.Update();
    moveTo(view, cursor);
    ASSERT_TRUE(loupe->isVisible());

    const QImage seen = loupe->grab().toImage();
    const int centre = Magnifier::kSize / 2;
    const auto drawn = [&seen](int x, int y) {
        return seen.pixel(x, y) != ViewPainter::kBackground;
    };
    EXPECT_TRUE(drawn(centre + 30, centre));
    // The second line, 20 pixels up in the view, lies kZoom times as far up in the loupe.
    const int up = static_cast<int>(20 * Magnifier::kZoom);
    EXPECT_TRUE(drawn(centre + 30, centre - up));
    EXPECT_FALSE(drawn(centre + 30, centre - 20));

    // A press may move entities without a regeneration; the loupe must not
    // keep showing where they were.
    const engine::Handle first = vecad.GetFirstEntity();
    vecad.drawing().replace(
        first, engine::Entity(engine::LineGeom{{under.x - 100 * step, under.y - 20 * step, 0},
                                               {under.x + 100 * step, under.y - 20 * step, 0}}));
    send(view, QEvent::MouseButtonPress, cursor);
    send(view, QEvent::MouseButtonRelease, cursor);
    moveTo(view, cursor);
    const QImage after = loupe->grab().toImage();
    EXPECT_EQ(after.pixel(centre + 30, centre), ViewPainter::kBackground);
    EXPECT_NE(after.pixel(centre + 30, centre + up), ViewPainter::kBackground);
}

}  // namespace
}  // namespace brondel::desktop
