#include "engine/dimension_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "engine/mtext_plain.h"
#include "engine/shape.h"
#include "engine/tables.h"
#include "engine/tolerances.h"

namespace brondel::engine {

namespace {

constexpr double kArrowWidth = 1.0 / 6;  // half width of an arrowhead per its length

struct V {
    double x = 0, y = 0;
};
V operator+(V a, V b) {
    return {a.x + b.x, a.y + b.y};
}
V operator-(V a, V b) {
    return {a.x - b.x, a.y - b.y};
}
V operator*(V a, double s) {
    return {a.x * s, a.y * s};
}
double dot(V a, V b) {
    return a.x * b.x + a.y * b.y;
}
double length(V a) {
    return std::hypot(a.x, a.y);
}
V unit(V a, V otherwise = {1, 0}) {
    const double l = length(a);
    return l > 0 ? a * (1 / l) : otherwise;
}
V perp(V a) {
    return {-a.y, a.x};
}
V flat(const Point3& p) {
    return {p.x, p.y};
}
V direction(double angle) {
    return {std::cos(angle), std::sin(angle)};
}

// An angle turned by half a turn where text would read upside down.
double readable(double angle) {
    double a = std::remainder(angle, kTwoPi);
    if (a > kPi / 2 + 1e-9 || a <= -kPi / 2 + 1e-9) {
        a = std::remainder(a + kPi, kTwoPi);
    }
    return a;
}

// The counter-clockwise angle from a to b, in [0, 2 pi).
double sweepBetween(V a, V b) {
    double s = std::atan2(a.x * b.y - a.y * b.x, dot(a, b));
    return s < 0 ? s + kTwoPi : s;
}

std::optional<V> intersect(V p, V d, V q, V e) {
    const double den = d.x * e.y - d.y * e.x;
    if (std::abs(den) <= 1e-12 * length(d) * length(e)) {
        return std::nullopt;
    }
    const double t = ((q.x - p.x) * e.y - (q.y - p.y) * e.x) / den;
    return p + d * t;
}

// Where the ends of a linear or aligned dimension line lie, and its direction.
struct LinearLayout {
    V u, a, b;
};
LinearLayout linearLayout(const DimensionGeom& g) {
    const V o1 = flat(g.p13), o2 = flat(g.p14), base = flat(g.defPoint);
    const V u =
        (g.dimType & dimkind::kKindMask) == dimkind::kAligned ? unit(o2 - o1) : direction(g.angle);
    return {u, base + u * dot(o1 - base, u), base + u * dot(o2 - base, u)};
}

// The arc of an angular dimension: vertex, start direction, counter-
// clockwise sweep, and radius.
struct AngularLayout {
    V vertex;
    double start = 0, sweep = 0, radius = 0;
    V line1Far, line2Far;        // the points of each line furthest along its side
    bool firstLineFirst = true;  // the sector starts on the first line's side
};
std::optional<AngularLayout> angularLayout(const DimensionGeom& g) {
    const bool threePoint = (g.dimType & dimkind::kKindMask) == dimkind::kAngular3;
    V vertex, d1, d2, at;
    V ends1[2], ends2[2];
    if (threePoint) {
        vertex = flat(g.p15);
        d1 = unit(flat(g.p13) - vertex);
        d2 = unit(flat(g.p14) - vertex);
        at = flat(g.defPoint);
        ends1[0] = ends1[1] = flat(g.p13);
        ends2[0] = ends2[1] = flat(g.p14);
    } else {
        ends1[0] = flat(g.p13), ends1[1] = flat(g.p14);
        ends2[0] = flat(g.p15), ends2[1] = flat(g.defPoint);
        d1 = unit(ends1[1] - ends1[0]);
        d2 = unit(ends2[1] - ends2[0]);
        const std::optional<V> v = intersect(ends1[0], d1, ends2[0], d2);
        if (!v) {
            return std::nullopt;
        }
        vertex = *v;
        at = flat(g.p16);
    }
    AngularLayout out;
    out.vertex = vertex;
    out.radius = length(at - vertex);
    if (!(out.radius > 0)) {
        return std::nullopt;
    }
    const V toAt = unit(at - vertex, unit(d1 + d2));
    // The sector between a side of each line that holds the arc's location.
    const double signs1[2] = {1, -1}, signs2[2] = {1, -1};
    const int choices = threePoint ? 1 : 2;
    for (int i = 0; i < choices; ++i) {
        for (int j = 0; j < choices; ++j) {
            const V a = d1 * signs1[i], b = d2 * signs2[j];
            for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
                const double sweep = sweepBetween(from, to);
                if ((!threePoint && sweep > kPi) || sweep <= 0) {
                    continue;
                }
                if (sweepBetween(from, toAt) <= sweep + 1e-12) {
                    out.start = std::atan2(from.y, from.x);
                    out.sweep = sweep;
                    const auto furthest = [&](const V* ends, V side) {
                        return dot(ends[0] - vertex, side) >= dot(ends[1] - vertex, side) ? ends[0]
                                                                                          : ends[1];
                    };
                    const bool firstIsA = from.x == a.x && from.y == a.y;
                    out.line1Far = furthest(firstIsA ? ends1 : ends2, from);
                    out.line2Far = furthest(firstIsA ? ends2 : ends1, to);
                    out.firstLineFirst = firstIsA;
                    return out;
                }
            }
        }
    }
    return std::nullopt;
}

std::string formatNumber(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(decimals, 0, 8), value);
    std::string s = buffer;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') {
            s.pop_back();
        }
        if (s.back() == '.') {
            s.pop_back();
        }
    }
    if (s == "-0") {
        s = "0";
    }
    return s;
}

// Parts of the picture: on layer 0 and BYBLOCK so they take the dimension's look.
EntityProps partProps() {
    EntityProps p;
    p.color.aci = Color::kByBlock;
    p.lineType = "BYBLOCK";
    p.lineWeight = lineweight::kByBlock;
    return p;
}

class Picture {
  public:
    explicit Picture(const DimStyle& style)
        : style_(style), k_(style.scale > 0 ? style.scale : 1) {}

    void line(V a, V b) {
        if (length(b - a) > 0) {
            out_.emplace_back(LineGeom{{a.x, a.y, 0}, {b.x, b.y, 0}}, partProps());
        }
    }
    // From the origin towards its foot on the dimension line, past it by the extension.
    void extension(V origin, V foot) {
        const V d = foot - origin;
        if (length(d) > 0) {
            const V n = unit(d);
            line(origin + n * (style_.extOffset * k_), foot + n * (style_.extExtension * k_));
        }
    }
    // A filled arrowhead whose tip is at `tip`, pointing along `along`.
    void arrow(V tip, V along) {
        const double size = style_.arrowSize * k_;
        if (size <= 0) {
            return;
        }
        const V d = unit(along), n = perp(d) * (size * kArrowWidth);
        const V back = tip - d * size;
        SolidGeom s;
        s.corners[0] = {tip.x, tip.y, 0};
        s.corners[1] = {back.x + n.x, back.y + n.y, 0};
        s.corners[2] = {back.x - n.x, back.y - n.y, 0};
        s.corners[3] = s.corners[2];
        out_.emplace_back(s, partProps());
    }
    void arc(V center, double radius, double start, double sweep) {
        if (radius > 0 && sweep != 0) {
            out_.emplace_back(ArcGeom{{center.x, center.y, 0}, radius, start, sweep}, partProps());
        }
    }
    void text(const std::string& s, V at, double angle) {
        TextGeom t;
        t.text = s;
        t.p = t.alignPoint = {at.x, at.y, 0};
        t.height = style_.textHeight * k_;
        t.angle = angle;
        t.hAlign = 1;  // centre
        t.vAlign = 2;  // middle
        out_.emplace_back(std::move(t), partProps());
    }
    std::vector<Entity> take() { return std::move(out_); }

  private:
    const DimStyle& style_;
    double k_;
    std::vector<Entity> out_;
};

void linearPicture(const DimensionGeom& g, const DimStyle& style, Picture& pic) {
    const LinearLayout l = linearLayout(g);
    pic.extension(flat(g.p13), l.a);
    pic.extension(flat(g.p14), l.b);
    pic.line(l.a, l.b);
    if (length(l.b - l.a) > 0) {
        pic.arrow(l.a, l.a - l.b);
        pic.arrow(l.b, l.b - l.a);
    }
    pic.text(dimensionText(g, style), flat(g.textMid), readable(std::atan2(l.u.y, l.u.x)));
}

void radialPicture(const DimensionGeom& g, const DimStyle& style, Picture& pic, bool diameter) {
    const V p = flat(g.p15), t = flat(g.textMid);
    const V c = diameter ? (p + flat(g.defPoint)) * 0.5 : flat(g.defPoint);
    const double r = length(p - c);
    const bool outside = length(t - c) > r;
    if (diameter) {
        const V q = flat(g.defPoint);
        pic.line(p, q);
        pic.arrow(p, p - q);
        pic.arrow(q, q - p);
    } else {
        pic.line(outside ? p : c, p);
        pic.arrow(p, outside ? p - t : p - c);
    }
    if (outside) {
        pic.line(p, t - unit(t - p) * (style.textGap * style.scale));
    }
    pic.text(dimensionText(g, style), t, 0);
}

void angularPicture(const DimensionGeom& g, const DimStyle& style, Picture& pic) {
    const std::optional<AngularLayout> l = angularLayout(g);
    if (!l) {
        return;
    }
    const double end = l->start + l->sweep;
    const V from = direction(l->start), to = direction(end);
    const V arcStart = l->vertex + from * l->radius, arcEnd = l->vertex + to * l->radius;
    if (dot(l->line1Far - l->vertex, from) < l->radius) {
        pic.extension(l->line1Far, arcStart);
    }
    if (dot(l->line2Far - l->vertex, to) < l->radius) {
        pic.extension(l->line2Far, arcEnd);
    }
    pic.arc(l->vertex, l->radius, l->start, l->sweep);
    pic.arrow(arcStart, {from.y, -from.x});
    pic.arrow(arcEnd, {-to.y, to.x});
    const double mid = l->start + l->sweep / 2;
    pic.text(dimensionText(g, style), flat(g.textMid), readable(mid - kPi / 2));
}

void ordinatePicture(const DimensionGeom& g, const DimStyle& style, Picture& pic) {
    const V f = flat(g.p13), e = flat(g.p14);
    const bool xType = g.dimType & dimkind::kOrdinateX;
    // The leader leaves the feature along the measured axis' normal and jogs to its end.
    const V axis = xType ? V{0, 1} : V{1, 0};
    const double run = dot(e - f, axis);
    const double sign = run < 0 ? -1 : 1;
    const V start = f + axis * (sign * style.extOffset * style.scale);
    const V knee1 = f + axis * (run * 2 / 3), knee2 = e - axis * (run / 3);
    pic.line(start, knee1);
    pic.line(knee1, knee2);
    pic.line(knee2, e);
    pic.text(dimensionText(g, style), flat(g.textMid), xType ? kPi / 2 : 0);
}

}  // namespace

double dimensionMeasurement(const DimensionGeom& g) {
    switch (g.dimType & dimkind::kKindMask) {
        case dimkind::kLinear:
        case dimkind::kAligned: {
            const LinearLayout l = linearLayout(g);
            return length(l.b - l.a);
        }
        case dimkind::kDiameter:
            return length(flat(g.p15) - flat(g.defPoint));
        case dimkind::kRadius:
            return length(flat(g.p15) - flat(g.defPoint));
        case dimkind::kAngular:
        case dimkind::kAngular3: {
            const std::optional<AngularLayout> l = angularLayout(g);
            return l ? l->sweep : 0;
        }
        case dimkind::kOrdinate:
            return (g.dimType & dimkind::kOrdinateX) ? g.p13.x - g.defPoint.x
                                                     : g.p13.y - g.defPoint.y;
        default:
            return 0;
    }
}

std::string dimensionText(const DimensionGeom& g, const DimStyle& style) {
    const int kind = g.dimType & dimkind::kKindMask;
    double value = dimensionMeasurement(g);
    std::string prefix, suffix;
    if (kind == dimkind::kAngular || kind == dimkind::kAngular3) {
        value *= 180 / kPi;
        suffix = "\u00b0";
    } else if (kind == dimkind::kRadius) {
        prefix = "R";
    } else if (kind == dimkind::kDiameter) {
        prefix = "\u00d8";
    } else if (kind == dimkind::kOrdinate) {
        value = std::abs(value);
    }
    const std::string number = formatNumber(value, style.decimals) + suffix;
    if (g.text.empty()) {
        return prefix + number;
    }
    std::string out = g.text;
    if (const auto at = out.find("<>"); at != std::string::npos) {
        // "R<>" already says what the value is.
        const bool said =
            at >= prefix.size() && out.compare(at - prefix.size(), prefix.size(), prefix) == 0;
        out.replace(at, 2, said ? number : prefix + number);
    }
    return out;
}

void finishDimension(DimensionGeom& g, const DimStyle& style) {
    g.measurement = dimensionMeasurement(g);
    const double k = style.scale > 0 ? style.scale : 1;
    // Text centred on the line sits on it; the line runs through it.
    const double lift = style.textAbove ? (style.textGap + style.textHeight / 2) * k : 0;
    V at = flat(g.textMid);
    switch (g.dimType & dimkind::kKindMask) {
        case dimkind::kLinear:
        case dimkind::kAligned: {
            const LinearLayout l = linearLayout(g);
            const double reading = readable(std::atan2(l.u.y, l.u.x));
            at = (l.a + l.b) * 0.5 + perp(direction(reading)) * lift;
            break;
        }
        case dimkind::kAngular:
        case dimkind::kAngular3:
            if (const std::optional<AngularLayout> l = angularLayout(g)) {
                at = l->vertex + direction(l->start + l->sweep / 2) * (l->radius + lift);
                // The first line runs along the sector's start and the second
                // along its end, so that programs measuring counter-clockwise
                // from the one direction to the other agree.
                if ((g.dimType & dimkind::kKindMask) == dimkind::kAngular) {
                    if (!l->firstLineFirst) {
                        std::swap(g.p13, g.p15);
                        std::swap(g.p14, g.defPoint);
                    }
                    if (dot(flat(g.p14) - flat(g.p13), direction(l->start)) < 0) {
                        std::swap(g.p13, g.p14);
                    }
                    if (dot(flat(g.defPoint) - flat(g.p15), direction(l->start + l->sweep)) < 0) {
                        std::swap(g.p15, g.defPoint);
                    }
                }
            }
            break;
        case dimkind::kOrdinate: {
            const V f = flat(g.p13), e = flat(g.p14);
            const V axis = (g.dimType & dimkind::kOrdinateX) ? V{0, 1} : V{1, 0};
            const double sign = dot(e - f, axis) < 0 ? -1 : 1;
            const double half = double(utf8Length(dimensionText(g, style))) * style.textHeight *
                                tol::kCharAdvance / 2 * k;
            at = e + axis * (sign * (style.textGap * k + half));
            break;
        }
        default:
            break;
    }
    g.textMid = {at.x, at.y, g.textMid.z};
}

std::vector<Entity> dimensionPicture(const DimensionGeom& g, const DimStyle& style) {
    Picture pic(style);
    switch (g.dimType & dimkind::kKindMask) {
        case dimkind::kLinear:
        case dimkind::kAligned:
            linearPicture(g, style, pic);
            break;
        case dimkind::kDiameter:
            radialPicture(g, style, pic, true);
            break;
        case dimkind::kRadius:
            radialPicture(g, style, pic, false);
            break;
        case dimkind::kAngular:
        case dimkind::kAngular3:
            angularPicture(g, style, pic);
            break;
        case dimkind::kOrdinate:
            ordinatePicture(g, style, pic);
            break;
        default:
            break;
    }
    return pic.take();
}

std::vector<Entity> dimensionParts(const DimensionGeom& g, const BlockLookup& blocks) {
    const Block* block = g.block.empty() ? nullptr : blocks.findBlock(g.block);
    if (block && !block->entities.empty()) {
        return block->entities;
    }
    const DimStyle* style = blocks.findDimStyle(g.style);
    return dimensionPicture(g, style ? *style : DimStyle{});
}

}  // namespace brondel::engine
