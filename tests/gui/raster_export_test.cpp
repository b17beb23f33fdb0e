// Export Screen Raster on the desktop: the command's dialogue answered by
// script, the picture rendered by the Qt printer and read back from disk.
#include <gtest/gtest.h>

#include <QImage>

#include "app/desktop/qt_printer.h"
#include "app/desktop/view_painter.h"
#include "documents/raster_export.h"
#include "engine/vecad.h"
#include "tests/support/fake_ports.h"

namespace brondel::desktop {
namespace {

TEST(RasterExport, WritesPicturesOfTheAskedSizeShowingTheDrawing) {
    testing::TempFolder folder;
    engine::Vecad v;
    v.AddLine(0, 0, 0, 400, 100, 0);
    v.AddLine(0, 100, 0, 400, 0, 0);
    QtPrinter printer;
    const struct {
        const char* file;
        const char* what;
        const char* size;
        int width, height;
    } rows[] = {
        {"extents.png", "extents", "640 x 360", 640, 360},
        {"tall.jpg", "extents", "200 x 500", 200, 500},
        {"view.bmp", "view", nullptr, v.view().width(), v.view().height()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        testing::ScriptedDialogs dialogs;
        dialogs.input(row.what);
        if (row.size) {
            dialogs.input(row.size);
        }
        const std::string path = (folder.path() / row.file).string();
        dialogs.save(path);
        documents::exportScreenRaster(v, dialogs, printer);
        EXPECT_TRUE(dialogs.messages().empty());

        QImage picture;
        ASSERT_TRUE(picture.load(QString::fromStdString(path)));
        EXPECT_EQ(picture.width(), row.width);
        EXPECT_EQ(picture.height(), row.height);
        // Something is drawn on the background, across most of an extents picture.
        QRect drawn;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb c = picture.pixel(x, y);
                if (qGray(c) > qGray(ViewPainter::kBackground) + 60) {
                    drawn = drawn.united(QRect(x, y, 1, 1));
                }
            }
        }
        ASSERT_FALSE(drawn.isEmpty());
        if (std::string(row.what) == "extents") {
            EXPECT_GT(
                std::max(double(drawn.width()) / row.width, double(drawn.height()) / row.height),
                0.8);
        }
    }
}

}  // namespace
}  // namespace brondel::desktop
