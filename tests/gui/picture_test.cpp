// Images in the view: the picture drawn into its frame from a path relative
// to the drawing, read again when its file changes, and a missing file
// drawn as its frame without failing.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>

#include "app/desktop/view_painter.h"

namespace brondel::desktop {
namespace {

// One drawing unit to the pixel: drawing point (x, y) is window pixel
// (x, 100 - y) in a 200 x 100 image.
struct PictureScene {
    PictureScene() {
        view.resize(200, 100);
        view.set({100, 50}, 1);
        engine::ImageGeom g;
        g.insertion = {20, 10, 0};
        g.u = {16, 0, 0};
        g.v = {0, 16, 0};
        g.widthPx = 10;
        g.heightPx = 5;
        g.fileName = "pictures/red.png";
        drawing.add(engine::Entity(engine::Boxed<engine::ImageGeom>(std::move(g))));
        QDir(folder.path()).mkdir(QStringLiteral("pictures"));
        painter.setDrawingFile(
            QDir(folder.path()).filePath(QStringLiteral("plate.dxf")).toStdString());
    }
    void paintFile(QColor color, int secondsLater) {
        QImage picture(10, 5, QImage::Format_RGB32);
        picture.fill(color);
        const QString path = QDir(folder.path()).filePath(QStringLiteral("pictures/red.png"));
        ASSERT_TRUE(picture.save(path));
        // File times may be coarse: a change must show as one.
        const std::filesystem::path file = path.toStdString();
        std::filesystem::last_write_time(
            file, std::filesystem::last_write_time(file) + std::chrono::seconds(secondsLater));
    }
    QRgb inside() {
        QImage image(200, 100, QImage::Format_RGB32);
        painter.render(image, drawing, view, {});
        return image.pixel(150, 30);  // clear of the name a missing file shows
    }

    QTemporaryDir folder;
    engine::Drawing drawing;
    engine::View view;
    ViewPainter painter;
};

TEST(ImagePictures, DrawnFromTheDrawingsFolderAndReadAgainWhenChanged) {
    PictureScene s;
    EXPECT_EQ(s.inside(), ViewPainter::kBackground);  // missing: only the frame
    s.paintFile(Qt::red, 0);
    EXPECT_EQ(s.inside(), QColor(Qt::red).rgb());
    s.paintFile(Qt::blue, 5);
    EXPECT_EQ(s.inside(), QColor(Qt::blue).rgb());
}

}  // namespace
}  // namespace brondel::desktop
