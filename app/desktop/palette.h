#pragma once

#include <QRgb>

#include "engine/entity.h"

// Entity colours as the view shows them on its dark background.
namespace brondel::desktop {

// The colour of an AutoCAD Colour Index; 7 (and BYBLOCK, BYLAYER out of
// context) is white on the dark background.
QRgb aciColor(int aci);

// The colour of a colour value: its true colour when it has one, else its
// index.
QRgb colorOf(const engine::Color& c);

}  // namespace brondel::desktop
