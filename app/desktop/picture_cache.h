#pragma once

#include <QImage>
#include <QPointF>
#include <QRgb>
#include <filesystem>
#include <map>
#include <string>

class QPainter;

namespace brondel::desktop {

// The pictures of a drawing's images, each file read once and read again
// when it changes on disk (so Reload shows the new one).
class PictureCache {
  public:
    // The picture a kept path names, relative paths from the drawing's
    // folder; null when the file is missing or unreadable.
    const QImage* find(const std::string& stored, const std::string& drawingFile);

  private:
    struct Entry {
        std::filesystem::file_time_type changed;
        QImage picture;
    };
    std::map<std::string, Entry> pictures_;
};

// An image's frame in window points: its upper left corner and the ends of
// its top and left edges.
struct PictureFrame {
    QPointF topLeft, topRight, bottomLeft;
};

// Draws the picture into its frame; without one, the kept name, so a
// missing file is plain to see.
void drawPicture(QPainter& p, const QImage* picture, const PictureFrame& frame,
                 const std::string& name, QRgb ink);

}  // namespace brondel::desktop
