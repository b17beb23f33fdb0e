#include "app/desktop/raster_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "app/desktop/view_painter.h"
#include "base/error.h"
#include "engine/vecad.h"

namespace brondel::desktop {

namespace {

const char* formatName(ports::RasterFormat format) {
    switch (format) {
        case ports::RasterFormat::Jpeg:
            return "JPEG";
        case ports::RasterFormat::Bmp:
            return "BMP";
        case ports::RasterFormat::Png:
            break;
    }
    return "PNG";
}

}  // namespace

std::string rasterImage(const engine::Vecad& control, const engine::View& view,
                        ports::RasterFormat format) {
    QImage image(view.width(), view.height(), QImage::Format_RGB32);
    if (image.isNull()) {
        throw Error(err::kOverflow, "there is not enough memory for a picture of " +
                                        std::to_string(view.width()) + " x " +
                                        std::to_string(view.height()) + " pixels");
    }
    ViewPainter painter;
    painter.setDrawingFile(control.GetFileName());
    painter.render(image, control.shown(), view, {});
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, formatName(format), format == ports::RasterFormat::Jpeg ? 95 : -1)) {
        throw Error(err::kFileWrite,
                    std::string("the picture could not be encoded as ") + formatName(format));
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace brondel::desktop
