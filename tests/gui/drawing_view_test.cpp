// Before any Qt header: its emit macro would hide ChangeSignal::emit.
#include "tests/support/fake_ports.h"

#include "app/desktop/drawing_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "engine/commands.h"

namespace brondel::desktop {
namespace {

using engine::Handle;

void press(QWidget& w, QPointF at, Qt::MouseButton button) {
    QMouseEvent e(QEvent::MouseButtonPress, at, w.mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
}

class DrawingViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = &program.main.NewDrawingWindow();
        view = std::make_unique<DrawingView>(window->Vecad1, *window, false);
        view->resize(400, 300);
        view->show();
        QApplication::processEvents();
        // 0.5 drawing units per pixel, (100, 50) at the centre of the
        // widget, whose size the view takes.
        window->Vecad1.view().set({100, 50}, 0.5);
    }

    QImage picture() { return view->grab().toImage(); }

    testing::TestProgram program;
    documents::DrawingWindow* window = nullptr;
    std::unique_ptr<DrawingView> view;
};

TEST_F(DrawingViewTest, PressesPlaceTheDrawLinePointsUnderTheCursor) {
    engine::Vecad& v = window->Vecad1;
    v.Execute(engine::command::kDrawLine);
    press(*view, {50, 100}, Qt::LeftButton);
    press(*view, {250, 200}, Qt::LeftButton);
    press(*view, {0, 0}, Qt::RightButton);  // ends the command
    EXPECT_FALSE(v.commandRunning());
    ASSERT_EQ(v.GetNumEntities(), 1);
    const engine::Handle h = v.GetFirstEntity();
    const auto* line = engine::geomIf<engine::LineGeom>(v.drawing().entity(h));
    ASSERT_NE(line, nullptr);
    EXPECT_DOUBLE_EQ(line->p1.x, 100 + (50 - 200) * 0.5);
    EXPECT_DOUBLE_EQ(line->p1.y, 50 - (100 - 150) * 0.5);
    EXPECT_DOUBLE_EQ(line->p2.x, 100 + (250 - 200) * 0.5);
    EXPECT_DOUBLE_EQ(line->p2.y, 50 - (200 - 150) * 0.5);
}

TEST_F(DrawingViewTest, ThePreviewTakesNoPresses) {
    engine::Vecad& v = window->Vecad1;
    DrawingView preview(window->Vecad2, *window, true);
    preview.resize(400, 300);
    preview.show();
    QApplication::processEvents();
    v.Execute(engine::command::kDrawLine);
    press(preview, {50, 100}, Qt::LeftButton);
    press(preview, {250, 200}, Qt::LeftButton);
    EXPECT_TRUE(v.commandRunning());
    EXPECT_EQ(v.GetNumEntities(), 0);
    EXPECT_EQ(window->Vecad2.view().width(), 400);
}

TEST_F(DrawingViewTest, PaintsLinesInTheirLayerColourAndHidesFrozenLayers) {
    engine::Vecad& v = window->Vecad1;
    v.AddLayer("CUT", 1, 0, 0);
    v.SetCurLayerByName("CUT");
    v.AddLine(60, 50, 0, 140, 50, 0);  // window row 150, columns 120 to 280
    v.AddLayer("HIDDEN", 3, 0, 0);
    v.SetCurLayerByName("HIDDEN");
    v.AddLine(100, 0, 0, 100, 100, 0);  // window column 200
    engine::Layer hidden = *v.drawing().findLayer("HIDDEN");
    hidden.frozen = true;
    v.drawing().addLayer(hidden);
    v.Update();

    const QImage image = picture();
    EXPECT_EQ(image.pixel(160, 150), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(200, 100), ViewPainter::kBackground);
    EXPECT_EQ(image.pixel(160, 140), ViewPainter::kBackground);
}

TEST_F(DrawingViewTest, FollowsEngineChangesAndWheelZoomKeepsThePointUnderTheCursor) {
    engine::Vecad& v = window->Vecad1;
    const QImage empty = picture();
    v.AddLine(100, 40, 0, 100, 60, 0);  // window column 200
    v.Update();
    EXPECT_NE(picture().pixel(200, 150), empty.pixel(200, 150));
    // Painted emptied (as Reorganize's rebuild is, between purge and add),
    // then filled again.
    v.Purge(1);
    v.Update();
    EXPECT_EQ(picture().pixel(200, 150), empty.pixel(200, 150));
    v.AddLine(100, 40, 0, 100, 60, 0);
    v.Update();
    EXPECT_NE(picture().pixel(200, 150), empty.pixel(200, 150));

    const engine::Point2 before = v.view().toWorld(300, 100);
    QWheelEvent wheel({300, 100}, view->mapToGlobal(QPointF(300, 100)), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &wheel);
    EXPECT_DOUBLE_EQ(v.view().scale(), 0.4);
    const engine::Point2 after = v.view().toWorld(300, 100);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
}

}  // namespace
}  // namespace brondel::desktop
