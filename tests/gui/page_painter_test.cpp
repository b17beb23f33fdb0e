#include "app/desktop/page_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "base/error.h"
#include "engine/vecad.h"
#include "tests/support/files.h"

namespace brondel::desktop {
namespace {

// The smallest rectangle holding every pixel darker than mid-grey.
QRect inked(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

int pageObjects(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1)) {
        if (pdf.compare(at, 12, "/Type /Pages") != 0) {
            ++pages;
        }
    }
    return pages;
}

TEST(PagePainter, FitsTheDrawingKeepingItsAspectInBlackOnWhite) {
    engine::Vecad v;
    // A 200 x 100 frame with a diagonal; the colour on screen must not matter.
    const double corners[5][2] = {{0, 0}, {200, 0}, {200, 100}, {0, 100}, {0, 0}};
    for (int i = 0; i < 4; ++i) {
        const engine::Handle h =
            v.AddLine(corners[i][0], corners[i][1], 0, corners[i + 1][0], corners[i + 1][1], 0);
        v.EntityPutColor(h, 2);
    }
    v.AddLine(0, 0, 0, 200, 100, 0);

    QImage page(600, 600, QImage::Format_RGB32);
    page.fill(Qt::gray);
    QPainter painter(&page);
    const QRectF area(50, 100, 500, 400);
    paintDrawingPage(painter, area, 300, v.drawing());
    painter.end();

    EXPECT_EQ(page.pixel(60, 110), qRgb(255, 255, 255));    // the area is paper
    EXPECT_EQ(page.pixel(10, 10), QColor(Qt::gray).rgb());  // outside stays as it was
    const QRect box = inked(page);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_TRUE(area.contains(box));
    // Fills the width (less a small margin) and keeps 2 : 1.
    EXPECT_GT(box.width(), 0.9 * area.width());
    EXPECT_NEAR(double(box.width()) / box.height(), 2.0, 0.05);
    EXPECT_NEAR(box.center().x(), area.center().x(), 2);
    EXPECT_NEAR(box.center().y(), area.center().y(), 2);
    EXPECT_LT(qGray(page.pixel(box.center())), 128);  // the diagonal
}

// SOLID keeps its corners in zigzag order: printed in stored order a
// rectangle would come out as a bow-tie, white at the middle of its sides.
TEST(PagePainter, FillsAFourCorneredSolidAsTheScreenDoes) {
    engine::Vecad v;
    engine::SolidGeom solid;
    solid.corners[0] = {0, 0, 0};
    solid.corners[1] = {100, 0, 0};
    solid.corners[2] = {0, 50, 0};
    solid.corners[3] = {100, 50, 0};
    v.drawing().add(engine::Entity(solid));

    QImage page(400, 300, QImage::Format_RGB32);
    QPainter painter(&page);
    paintDrawingPage(painter, QRectF(0, 0, 400, 300), 300, v.drawing());
    painter.end();
    const QRect box = inked(page);
    ASSERT_FALSE(box.isEmpty());
    const int middle = box.center().y();
    EXPECT_LT(qGray(page.pixel(box.left() + box.width() / 10, middle)), 128);
    EXPECT_LT(qGray(page.pixel(box.right() - box.width() / 10, middle)), 128);
}

// A drawing wider than tall prints across the page, an empty one as a blank
// upright page; each is one page.
TEST(PagePainter, PrintsOnePdfPageAndAnUnwritableFileIsAnError) {
    const brondel::testing::TempFolder folder;
    engine::Vecad wide;
    wide.AddLine(0, 0, 0, 300, 40, 0);
    wide.AddText("Rib", 10, 10, 0, 0, 5, 1, 0, 0);
    wide.AddPoint(20, 20, 0);
    engine::Vecad empty;
    const struct {
        engine::Vecad& v;
        QPageLayout::Orientation orientation;
    } rows[] = {{wide, QPageLayout::Landscape}, {empty, QPageLayout::Portrait}};
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.orientation);
        EXPECT_EQ(orientationFor(row.v.drawing()), row.orientation);
        const std::string path = folder.file(std::to_string(row.orientation) + ".pdf");
        printer.setOutputFileName(QString::fromStdString(path));
        printer.setPageOrientation(orientationFor(row.v.drawing()));
        printDrawing(printer, row.v.drawing());
        const std::string pdf = brondel::testing::readFile(path);
        EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
        EXPECT_EQ(pageObjects(pdf), 1);
    }
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/drawing.pdf"));
    EXPECT_THROW(printDrawing(printer, empty.drawing()), Error);
}

}  // namespace
}  // namespace brondel::desktop
