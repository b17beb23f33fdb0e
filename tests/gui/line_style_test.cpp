#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "app/desktop/view_painter.h"

namespace brondel::desktop {
namespace {

using engine::Entity;
using engine::EntityProps;

// One drawing unit to the pixel: drawing point (x, y) is window pixel
// (x, 100 - y) in a 200 x 100 image.
class LineStyleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        engine::DrawingContent content;
        content.lineTypes = {
            {"DASHED", "", {10, -5}}, {"FINE", "", {0.5, -0.5}}, {"DOTS", "", {0, -6}}};
        content.layers = {{"0"}, {"WIDE"}};
        content.layers[1].lineWeight = 50;
        content.layers[1].lineType = "Dashed";
        drawing.load(std::move(content));
        view.resize(200, 100);
        view.set({100, 50}, 1);
    }

    void line(double x1, double y1, double x2, double y2, EntityProps props = {}) {
        drawing.add(Entity(engine::LineGeom{{x1, y1, 0}, {x2, y2, 0}}, props));
    }
    static EntityProps typed(std::string lineType, std::int16_t weight = -1) {
        EntityProps p;
        p.lineType = std::move(lineType);
        p.lineWeight = weight;
        return p;
    }
    QImage render(const ViewPainter::Selected& selected = {}) {
        QImage image(200, 100, QImage::Format_RGB32);
        painter.render(image, drawing, view, selected);
        return image;
    }

    engine::Drawing drawing;
    engine::View view;
    ViewPainter painter;
};

bool drawn(const QImage& image, int x, int y) {
    return image.pixel(x, y) != ViewPainter::kBackground;
}

// Runs of background pixels along a row between two columns.
int gaps(const QImage& image, int row, int from, int to) {
    int runs = 0;
    for (int x = from; x <= to; ++x) {
        if (!drawn(image, x, row) && (x == from || drawn(image, x - 1, row))) {
            ++runs;
        }
    }
    return runs;
}

// Drawn pixels in a column between two rows.
int thickness(const QImage& image, int column, int from, int to) {
    int rows = 0;
    for (int y = from; y <= to; ++y) {
        rows += drawn(image, column, y) ? 1 : 0;
    }
    return rows;
}

TEST_F(LineStyleTest, DashedLinesShowTheirPatternFromTheFirstPoint) {
    line(10, 80, 190, 80, typed("DASHED"));
    line(190, 60, 10, 60, typed("dashed"));  // drawn leftwards
    line(10, 40, 190, 40, typed("CONTINUOUS"));
    line(10, 20, 190, 20, typed("BYBLOCK"));
    const QImage image = render();

    // 180 units of 10 on, 5 off.
    EXPECT_EQ(gaps(image, 20, 12, 188), 12);
    EXPECT_TRUE(drawn(image, 15, 20));
    EXPECT_FALSE(drawn(image, 22, 20));
    EXPECT_TRUE(drawn(image, 185, 40));
    EXPECT_FALSE(drawn(image, 178, 40));
    EXPECT_EQ(gaps(image, 60, 10, 190), 0);
    EXPECT_EQ(gaps(image, 80, 10, 190), 0);
}

TEST_F(LineStyleTest, APatternRunsOnAlongAPolylineAndScalesWithTheEntity) {
    engine::PolylineGeom steps;
    for (int x = 10; x <= 190; x += 4) {
        steps.vertices.push_back({double(x), 80});
    }
    drawing.add(Entity(steps, typed("DASHED")));
    EntityProps doubled = typed("DASHED");
    doubled.lineTypeScale = 2;  // 20 on, 10 off
    line(10, 40, 190, 40, doubled);
    const QImage image = render();

    EXPECT_EQ(gaps(image, 20, 12, 188), 12);
    EXPECT_EQ(gaps(image, 60, 12, 188), 6);
    EXPECT_TRUE(drawn(image, 25, 60));
    EXPECT_FALSE(drawn(image, 35, 60));
}

TEST_F(LineStyleTest, PatternsTooFineToSeeDrawSolidAndDotsShowAsPixels) {
    line(10, 80, 190, 80, typed("FINE"));
    line(10, 60, 190, 60, typed("DOTS"));
    line(10, 40, 190, 40, typed("NO SUCH TYPE"));
    line(10, 20, 190, 20, typed("DASHED"));
    const QImage image = render();

    EXPECT_EQ(gaps(image, 80, 12, 188), 12);
    EXPECT_EQ(gaps(image, 20, 10, 190), 0);
    EXPECT_EQ(gaps(image, 60, 10, 190), 0);
    int dots = 0;
    for (int x = 10; x < 190; ++x) {
        dots += drawn(image, x, 40) ? 1 : 0;
    }
    EXPECT_GE(dots, 30);  // one a dot at least
    EXPECT_LE(dots, 60);  // two a dot at most: a dot may straddle two pixels

    // Six units to the pixel a dash and its gap span 2.5 pixels.
    view.set({100, 50}, 6);
    const QImage far = render();
    EXPECT_EQ(gaps(far, 55, 88, 112), 0);
}

TEST_F(LineStyleTest, WeightsSetTheWidthInWholePixels) {
    line(20, 80, 40, 80, typed("", 50));
    line(50, 80, 70, 80, typed("", 25));
    line(80, 80, 100, 80, typed("", -3));
    line(110, 80, 130, 80, typed("", 100));
    line(140, 80, 160, 80, typed("", 5));
    EntityProps wide;
    wide.layer = "WIDE";
    line(20, 40, 190, 40, wide);
    line(20, 20, 190, 20, typed("", 50));
    const QImage image =
        render([this](engine::Handle h) { return h == drawing.entities()[6].handle; });

    EXPECT_EQ(thickness(image, 30, 10, 30), 2);
    EXPECT_EQ(thickness(image, 60, 10, 30), 1);
    EXPECT_EQ(thickness(image, 90, 10, 30), 1);
    EXPECT_EQ(thickness(image, 120, 10, 30), 4);
    EXPECT_EQ(thickness(image, 150, 10, 30), 1);
    // The layer's weight and line type; the selected line a pixel heavier.
    EXPECT_EQ(thickness(image, 25, 50, 70), 2);
    EXPECT_EQ(gaps(image, 60, 22, 188), 11);
    int heaviest = 0;
    for (int x = 170; x < 190; ++x) {
        heaviest = std::max(heaviest, thickness(image, x, 70, 89));
    }
    EXPECT_EQ(heaviest, 3);
}

TEST_F(LineStyleTest, ChangingTheLayerRestylesItsLinesWithoutForgetting) {
    EntityProps onLayer;
    onLayer.layer = "WIDE";
    line(10, 50, 190, 50, onLayer);
    EXPECT_EQ(gaps(render(), 50, 12, 188), 12);

    engine::Layer layer = *drawing.findLayer("WIDE");
    layer.lineType = "CONTINUOUS";
    layer.lineWeight = 100;
    drawing.addLayer(layer);
    const QImage image = render();
    EXPECT_EQ(gaps(image, 50, 10, 190), 0);
    EXPECT_EQ(thickness(image, 100, 0, 99), 4);
}

TEST_F(LineStyleTest, PrintingUsesTheSameTypesAndWeightsInPainterUnits) {
    line(10, 80, 190, 80, typed("DASHED", 25));
    line(10, 40, 190, 40, typed("", 75));
    QImage page(200, 100, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    painter.paint(p, drawing, view, qRgb(0, 0, 0), 4);  // 4 units to the millimetre
    p.end();

    const auto dark = [&page](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    int gapsOnPaper = 0;
    for (int x = 12; x <= 188; ++x) {
        gapsOnPaper += !dark(x, 20) && dark(x - 1, 20) ? 1 : 0;
    }
    EXPECT_EQ(gapsOnPaper, 12);
    int rows = 0;
    for (int y = 40; y < 80; ++y) {
        rows += dark(100, y) ? 1 : 0;
    }
    EXPECT_EQ(rows, 3);
    EXPECT_TRUE(dark(15, 20));
}

}  // namespace
}  // namespace brondel::desktop
