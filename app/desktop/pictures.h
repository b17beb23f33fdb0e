#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures: SVG files compiled into the program, rendered
// at the sizes the widgets ask for.
namespace brondel::desktop {

// The picture of that name rendered at 16 and 32 pixels; null when there is
// no such picture.
QIcon svgIcon(const QString& name);
// The program's logo, size pixels square.
QPixmap logoPixmap(int size);
// The logo as the windows' icon.
QIcon programIcon();

}  // namespace brondel::desktop
