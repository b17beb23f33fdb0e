#include "app/desktop/pictures.h"

#include <QPainter>
#include <QSvgRenderer>
#include <initializer_list>

// The resource lives in a static library, where nothing else would pull it in.
static void loadIconResource() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)loaded;
}

namespace brondel::desktop {

namespace {

const QString kLogo = QStringLiteral("brondel-logo");

QString resourcePath(const QString& name) {
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

QPixmap render(QSvgRenderer& renderer, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon renderedIcon(const QString& name, std::initializer_list<int> sizes) {
    loadIconResource();
    QSvgRenderer renderer(resourcePath(name));
    if (!renderer.isValid()) {
        return {};
    }
    QIcon icon;
    for (const int size : sizes) {
        icon.addPixmap(render(renderer, size));
    }
    return icon;
}

}  // namespace

QIcon svgIcon(const QString& name) {
    return renderedIcon(name, {16, 32});
}

QPixmap logoPixmap(int size) {
    loadIconResource();
    QSvgRenderer renderer(resourcePath(kLogo));
    return render(renderer, size);
}

QIcon programIcon() {
    return renderedIcon(kLogo, {16, 24, 32, 48, 64, 128});
}

}  // namespace brondel::desktop
