// What corpus drawings show: dimensions that come without their block,
// centre lines in their line type, a hatch in a pattern the file defines.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "app/desktop/view_painter.h"
#include "engine/io/drawing_files.h"

namespace brondel::desktop {
namespace {

class CorpusDisplayTest : public ::testing::Test {
  protected:
    void open(const std::string& name) {
        drawing.load(engine::io::readDxf(std::string(BRONDEL_CORPUS_DIR) + "/dxf/" + name));
    }
    // A 400 x 200 window around (x, y) at `scale` drawing units a pixel.
    QImage render(double x, double y, double scale) {
        engine::View view;
        view.resize(400, 200);
        view.set({x, y}, scale);
        QImage image(400, 200, QImage::Format_RGB32);
        painter.forget();
        painter.render(image, drawing, view, {});
        return image;
    }
    // Pixels that differ once the entities of this kind are erased.
    int shownBy(engine::EntityType kind, double x, double y, double scale) {
        const QImage with = render(x, y, scale);
        for (const engine::Entity& e : drawing.entities()) {
            if (e.type() == kind) {
                drawing.setErased(e.handle, true);
            }
        }
        const QImage without = render(x, y, scale);
        int differ = 0;
        for (int j = 0; j < with.height(); ++j) {
            for (int i = 0; i < with.width(); ++i) {
                differ += with.pixel(i, j) != without.pixel(i, j) ? 1 : 0;
            }
        }
        return differ;
    }

    engine::Drawing drawing;
    ViewPainter painter;
};

TEST_F(CorpusDisplayTest, FlangeDimensionsShowThoughTheirBlocksAreMissing) {
    open("qcad_flange.dxf");
    EXPECT_GT(shownBy(engine::EntityType::Dimension, 10, -10, 0.3), 300);
}

TEST_F(CorpusDisplayTest, FlangeCentreLinesShowTheirDashDotPattern) {
    open("qcad_flange.dxf");
    // The centre line from (-37, 0) to (37, 0): 24-unit repeats of a dash,
    // a gap, a dot and a gap; at a quarter unit a pixel, row 100.
    const QImage image = render(0, 0, 0.25);
    int gaps = 0;
    for (int x = 53; x <= 347; ++x) {
        const bool here = image.pixel(x, 100) != ViewPainter::kBackground;
        const bool before = image.pixel(x - 1, 100) != ViewPainter::kBackground;
        gaps += !here && before ? 1 : 0;
    }
    EXPECT_GE(gaps, 4);
}

TEST_F(CorpusDisplayTest, EscherHatchIsDrawnFromThePatternTheFileHolds) {
    open("qcad_hatch013_spline_periodic.dxf");
    const engine::Box2 box = drawing.extents();
    const double scale = std::max(box.width() / 380, box.height() / 180);
    EXPECT_GT(shownBy(engine::EntityType::Hatch, (box.minX + box.maxX) / 2,
                      (box.minY + box.maxY) / 2, scale),
              1000);
}

}  // namespace
}  // namespace brondel::desktop
