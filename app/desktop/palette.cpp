#include "app/desktop/palette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace brondel::desktop {

namespace {

// The first ten indices are the named colours; from 10 up the index runs
// through 24 hues in steps of ten, each with five shades of two tints.
QRgb hueColor(int aci) {
    const int hueIndex = (aci - 10) / 10;
    const int shade = (aci % 10) / 2;
    const bool pale = aci % 2 == 1;
    static constexpr std::array<double, 5> kBright{1.0, 0.8, 0.6, 0.5, 0.3};
    const double h = hueIndex * 15.0;
    const double x = 1.0 - std::abs(std::fmod(h / 60.0, 2.0) - 1.0);
    double r = 0, g = 0, b = 0;
    switch (int(h / 60.0)) {
        case 0:
            r = 1, g = x;
            break;
        case 1:
            r = x, g = 1;
            break;
        case 2:
            g = 1, b = x;
            break;
        case 3:
            g = x, b = 1;
            break;
        case 4:
            r = x, b = 1;
            break;
        default:
            r = 1, b = x;
            break;
    }
    if (pale) {
        r = 0.5 + r / 2, g = 0.5 + g / 2, b = 0.5 + b / 2;
    }
    const double v = kBright[shade] * 255.0;
    return qRgb(int(r * v), int(g * v), int(b * v));
}

double luminance(QRgb c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

// Mixed with white in small steps until it stands out from the ground.
QRgb readable(QRgb c) {
    constexpr int kSteps = 20;
    QRgb shown = c;
    for (int i = 1; i <= kSteps && contrast(shown, kDrawingBackground) < kReadableContrast; ++i) {
        const auto mix = [i](int channel) { return channel + (255 - channel) * i / kSteps; };
        shown = qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
    }
    return shown;
}

// The shown colour of every index, worked out once.
const std::array<QRgb, 256>& readableIndexColors() {
    static const std::array<QRgb, 256> table = [] {
        std::array<QRgb, 256> t{};
        for (int aci = 0; aci < 256; ++aci) {
            t[aci] = readable(aciColor(aci));
        }
        return t;
    }();
    return table;
}

}  // namespace

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QRgb aciColor(int aci) {
    aci = std::abs(aci);  // a layer that is off carries its colour negated
    static constexpr std::array<QRgb, 10> kNamed{0xffffffff, 0xffff0000, 0xffffff00, 0xff00ff00,
                                                 0xff00ffff, 0xff0000ff, 0xffff00ff, 0xffffffff,
                                                 0xff808080, 0xffc0c0c0};
    if (aci < 10) {
        return kNamed[aci];
    }
    if (aci < 250) {
        return hueColor(aci);
    }
    if (aci <= 255) {
        const int level = 51 + (aci - 250) * 40;
        return qRgb(level, level, level);
    }
    return kNamed[7];
}

QRgb colorOf(const engine::Color& c) {
    // Black would vanish on the dark drawing area; like colour 7 it draws
    // in the foreground colour. Writers commonly store colour 7 as true black.
    if (c.trueColor > 0) {
        return readable(0xff000000u | QRgb(c.trueColor & 0xffffff));
    }
    const int aci = std::abs(c.trueColor == 0 ? 7 : c.aci);
    return aci < 256 ? readableIndexColors()[aci] : readable(aciColor(aci));
}

}  // namespace brondel::desktop
