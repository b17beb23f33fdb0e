#include "app/desktop/picture_cache.h"

#include <QPainter>
#include <QTransform>
#include <cmath>
#include <system_error>

#include "engine/image_paths.h"

namespace brondel::desktop {

const QImage* PictureCache::find(const std::string& stored, const std::string& drawingFile) {
    const std::string path = engine::resolvedImagePath(stored, drawingFile);
    std::error_code ec;
    const auto changed = std::filesystem::last_write_time(path, ec);
    if (ec) {
        pictures_.erase(path);
        return nullptr;
    }
    auto found = pictures_.find(path);
    if (found == pictures_.end() || found->second.changed != changed) {
        QImage picture(QString::fromStdString(path));
        found = pictures_.insert_or_assign(path, Entry{changed, std::move(picture)}).first;
    }
    return found->second.picture.isNull() ? nullptr : &found->second.picture;
}

void drawPicture(QPainter& p, const QImage* picture, const PictureFrame& frame,
                 const std::string& name, QRgb ink) {
    const QPointF across = frame.topRight - frame.topLeft, down = frame.bottomLeft - frame.topLeft;
    if (std::hypot(across.x(), across.y()) < 2 || std::hypot(down.x(), down.y()) < 2) {
        return;  // smaller than a pixel or two: the frame says enough
    }
    p.save();
    if (picture) {
        const double w = picture->width(), h = picture->height();
        p.setTransform(QTransform(across.x() / w, across.y() / w, down.x() / h, down.y() / h,
                                  frame.topLeft.x(), frame.topLeft.y()),
                       true);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QPointF(0, 0), *picture);
    } else {
        p.setPen(QColor::fromRgb(ink));
        p.drawText(frame.bottomLeft + QPointF(4, -4), QString::fromStdString(name));
    }
    p.restore();
}

}  // namespace brondel::desktop
