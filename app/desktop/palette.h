#pragma once

#include <QRgb>

#include "engine/entity.h"

// Entity colours as the view shows them on its dark background.
namespace brondel::desktop {

// The drawing area's ground: dark, as CAD users are used to.
inline constexpr QRgb kDrawingBackground = 0xff202020;
// The least contrast (as the ratio of relative luminances, 1 to 21) a
// line keeps against the ground.
inline constexpr double kReadableContrast = 3.0;

// The contrast ratio between two colours.
double contrast(QRgb a, QRgb b);

// The colour of an AutoCAD Colour Index; 7 (and BYBLOCK, BYLAYER out of
// context) is white on the dark background.
QRgb aciColor(int aci);

// The colour a colour value is shown in: its true colour when it has one,
// else its index; one too close to the ground is drawn lightened, while the
// drawing keeps its value.
QRgb colorOf(const engine::Color& c);

}  // namespace brondel::desktop
