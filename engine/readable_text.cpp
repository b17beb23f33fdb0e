#include "engine/readable_text.h"

#include <cmath>
#include <utility>

#include "engine/geometry.h"

namespace brondel::engine {

namespace {

double wrapped(double angle) {
    return angle > kPi ? angle - kTwoPi : angle;
}

// Whether the letters are flipped about their own vertical axis (true) or
// about their baseline, to read the right way round again.
bool flipAcross(double sourceAngle, double mirroredAngle) {
    return std::cos(mirroredAngle - sourceAngle) < 0;
}

void readableText(const TextGeom& g, TextGeom& t) {
    if (!flipAcross(g.angle, t.angle)) {
        if (g.vAlign == 1 || g.vAlign == 3) {
            t.vAlign = 4 - g.vAlign;
        }
        return;
    }
    t.angle = wrapped(t.angle + kPi);
    const bool leftToRight = g.hAlign == 0 || g.hAlign == 2;
    if (leftToRight) {
        t.hAlign = 2 - g.hAlign;
    }
    // Aligned and fitted texts run between their two points, which now read
    // from the other end; a baseline-left text's anchor is its first point
    // and a right one's its second.
    const bool anchorMoves = leftToRight && g.vAlign == 0;
    if (g.hAlign == 3 || g.hAlign == 5 || anchorMoves) {
        std::swap(t.p, t.alignPoint);
    }
}

void readableMText(const MTextGeom& g, MTextGeom& t) {
    if (g.attachment < 1 || g.attachment > 9) {
        return;
    }
    const int row = (g.attachment - 1) / 3, column = (g.attachment - 1) % 3;
    if (flipAcross(g.angle, t.angle)) {
        t.angle = wrapped(t.angle + kPi);
        t.attachment = row * 3 + (2 - column) + 1;
    } else {
        t.attachment = (2 - row) * 3 + column + 1;
    }
}

}  // namespace

void keepTextReadable(const Entity& source, const Affine& m, Entity& mirrored) {
    if (!(m.det() < 0)) {
        return;
    }
    if (const auto* text = geomIf<TextGeom>(source)) {
        if (auto* t = geomIf<TextGeom>(mirrored)) {
            readableText(*text, *t);
        }
    } else if (const auto* mtext = geomIf<MTextGeom>(source)) {
        if (auto* t = geomIf<MTextGeom>(mirrored)) {
            readableMText(*mtext, *t);
        }
    }
}

}  // namespace brondel::engine
