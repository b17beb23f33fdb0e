#include "app/desktop/view_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <string_view>

#include "app/desktop/palette.h"
#include "engine/cad.h"
#include "engine/entity_outline.h"
#include "engine/hatch_fill.h"
#include "engine/io/dxf_text.h"
#include "engine/leader.h"
#include "engine/mtext_plain.h"
#include "engine/point_marker.h"
#include "engine/shape.h"
#include "engine/tolerances.h"
#include "engine/transform.h"

namespace brondel::desktop {

namespace {

using namespace engine;

constexpr int kPointCross = 3;                  // half size of a point's cross, pixels
constexpr double kGreekBelow = 3;               // texts smaller than this many pixels are boxes
constexpr double kCapToEm = 0.7;                // a font's cap height per pixel size
constexpr std::size_t kAntialiasBelow = 20000;  // entities; larger drawings draw aliased
constexpr double kSolidBelow = 3;  // pixels of pattern; finer ones would only grey the line
constexpr double kScreenPixelsPerMm = 96 / 25.4;
constexpr std::int16_t kDefaultWeight = 25;  // hundredths of a mm

constexpr std::size_t kMostHatchStrokes = 200000;  // per hatch and render

bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

// The index of the named line type in types; `otherwise` for a continuous
// line and for a name that is not there.
std::uint32_t lineTypeIndex(const std::string& name, const std::vector<LineType>& types,
                            std::uint32_t otherwise) {
    if (sameName(name, "CONTINUOUS") || sameName(name, "BYBLOCK")) {
        return otherwise;
    }
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (sameName(types[i].name, name)) {
            return std::uint32_t(i);
        }
    }
    return otherwise;
}

// Where one entity's lines go, and how far along its line type pattern the
// last of them ended.
struct Trace {
    QVector<QLineF>& lines;
    const std::vector<double>* dashes;  // pixels: dash > 0, gap < 0, dot 0; null when solid
    double repeat;                      // one pattern's length in pixels
    double along = 0;
};

// The dashes of the pattern on the part of the window segment a-b (length
// pixels long) between fractions t0 and t1; a dot shows as one pixel.
void dash(QPointF a, QPointF b, double length, double t0, double t1, Trace& t) {
    const double from = t.along + t0 * length, to = t.along + t1 * length;
    const QPointF step = (b - a) / length;
    double at = from - std::fmod(from, t.repeat);
    while (at <= to) {
        for (const double d : *t.dashes) {
            const double end = at + std::abs(d);
            if (d >= 0) {
                const double first = std::max(at, from);
                const double last = std::min(d > 0 ? end : at + 1, to);
                if (first < last) {
                    t.lines.append(
                        QLineF(a + step * (first - t.along), a + step * (last - t.along)));
                }
            }
            at = end;
            if (at > to) {
                break;
            }
        }
    }
}

// Drawing units to window pixels for one render, and the drawing box the
// window shows (a little larger, so clipped ends stay off screen).
struct Mapper {
    double k, ox, oy;
    Box2 world;
    double tolerance;  // chord deviation that stays under a pixel

    PictureCache* pictures = nullptr;  // where images find their pictures; none: frames only
    std::string drawingFile;           // that relative picture paths start from

    explicit Mapper(const View& v) {
        k = 1 / v.scale();
        // Window point (i, j) is the centre of pixel (i, j), so one-pixel lines
        // on whole window coordinates cover whole pixels.
        ox = v.width() / 2.0 - v.center().x * k + 0.5;
        oy = v.height() / 2.0 + v.center().y * k + 0.5;
        const double margin = 2 * v.scale();
        world.add(v.left() - margin, v.bottom() - margin);
        world.add(v.right() + margin, v.top() + margin);
        tolerance = v.scale() / 2;
    }
    QPointF map(double x, double y) const { return {x * k + ox, oy - y * k}; }
    bool meets(const Box2& b) const {
        return b.minX <= world.maxX && b.maxX >= world.minX && b.minY <= world.maxY &&
               b.maxY >= world.minY;
    }
    bool inside(double x, double y) const {
        return x >= world.minX && x <= world.maxX && y >= world.minY && y <= world.maxY;
    }

    // The fractions t0 to t1 of the segment inside the shown box
    // (Liang-Barsky); false when none of it shows.
    bool cut(double x1, double y1, double x2, double y2, double& t0, double& t1) const {
        const double dx = x2 - x1, dy = y2 - y1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {x1 - world.minX, world.maxX - x1, y1 - world.minY, world.maxY - y1};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0) {
                    return false;
                }
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0) {
                t0 = std::max(t0, t);
            } else {
                t1 = std::min(t1, t);
            }
            if (t0 > t1) {
                return false;
            }
        }
        return true;
    }
    // The segment cut to the shown box; false when none of it shows.
    bool clip(double& x1, double& y1, double& x2, double& y2) const {
        if (inside(x1, y1) && inside(x2, y2)) {
            return true;
        }
        double t0 = 0, t1 = 1;
        if (!cut(x1, y1, x2, y2, t0, t1)) {
            return false;
        }
        const double dx = x2 - x1, dy = y2 - y1;
        x2 = x1 + t1 * dx, y2 = y1 + t1 * dy;
        x1 = x1 + t0 * dx, y1 = y1 + t0 * dy;
        return true;
    }

    void segment(double x1, double y1, double x2, double y2, QVector<QLineF>& out) const {
        if (clip(x1, y1, x2, y2)) {
            out.append(QLineF(map(x1, y1), map(x2, y2)));
        }
    }
    void segment(double x1, double y1, double x2, double y2, Trace& out) const {
        if (!out.dashes) {
            segment(x1, y1, x2, y2, out.lines);
            return;
        }
        const double length = std::hypot(x2 - x1, y2 - y1) * k;
        double t0 = 0, t1 = 1;
        if (length > 0 && cut(x1, y1, x2, y2, t0, t1)) {
            dash(map(x1, y1), map(x2, y2), length, t0, t1, out);
        }
        out.along += length;
    }
    template <class P, class Out>
    void chain(const std::vector<P>& pts, bool closed, Out& out) const {
        for (std::size_t i = 1; i < pts.size(); ++i) {
            segment(pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y, out);
        }
        if (closed && pts.size() > 2) {
            segment(pts.back().x, pts.back().y, pts.front().x, pts.front().y, out);
        }
    }
    QPolygonF polygon(const std::vector<Point2>& pts) const {
        QPolygonF poly;
        poly.reserve(qsizetype(pts.size()));
        for (const Point2& q : pts) {
            poly.append(map(q.x, q.y));
        }
        return poly;
    }
};

// The part of an infinite line inside the shown box, as a segment.
void infiniteLine(const InfiniteLineGeom& g, const Mapper& m, Trace& out) {
    const double dx = m.world.maxX - m.world.minX, dy = m.world.maxY - m.world.minY;
    const double reach = 2 * (std::hypot(dx, dy) + std::abs(g.base.x - m.world.minX) +
                              std::abs(g.base.y - m.world.minY));
    const double back = g.ray ? 0 : reach;
    m.segment(g.base.x - g.direction.x * back, g.base.y - g.direction.y * back,
              g.base.x + g.direction.x * reach, g.base.y + g.direction.y * reach, out);
}

void fillPolygon(QPainter& p, const QPolygonF& poly, QRgb color, bool selected) {
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(QColor::fromRgb(color), selected ? Qt::Dense4Pattern : Qt::SolidPattern));
    p.drawPolygon(poly, Qt::OddEvenFill);
}

// One line of text from the window point `at` (its baseline start) along
// the angle, hpx pixels high; width squeezes it to that many pixels when > 0.
void drawTextLine(QPainter& p, const QString& text, QPointF at, double angle, double hpx,
                  double widthFactor, double oblique, double width) {
    QFont font;
    font.setPixelSize(std::max(1, int(std::lround(hpx / kCapToEm))));
    const QFontMetricsF metrics(font);
    const double advance = metrics.horizontalAdvance(text);
    const double sx = width > 0 && advance > 0 ? width / advance : widthFactor;
    p.save();
    QTransform t;
    t.translate(at.x(), at.y());
    t.rotateRadians(-angle);
    t.scale(sx, 1);
    t.shear(-std::tan(oblique), 0);
    p.setTransform(t, true);
    p.setFont(font);
    p.drawText(QPointF(0, 0), text);
    p.restore();
}

void drawText(QPainter& p, const TextGeom& g, const Mapper& m, QRgb color, QVector<QLineF>& lines) {
    const std::vector<Point2> box = textOutline(g);
    const double hpx = g.height * m.k;
    if (hpx < kGreekBelow) {
        m.chain(box, true, lines);
        return;
    }
    const double angle = std::atan2(box[1].y - box[0].y, box[1].x - box[0].x);
    const bool fitted = g.hAlign == 3 || g.hAlign == 5;
    const double width = fitted ? planarDistance(box[0].x, box[0].y, box[1].x, box[1].y) * m.k : 0;
    p.setPen(QColor::fromRgb(color));
    drawTextLine(p, QString::fromStdString(io::dxf::resolvePercentCodes(g.text)),
                 m.map(box[0].x, box[0].y), angle, hpx, g.widthFactor, g.oblique, width);
}

void drawMText(QPainter& p, const MTextGeom& g, const Mapper& m, QRgb color,
               QVector<QLineF>& lines) {
    const std::vector<Point2> box = textOutline(g);
    const double hpx = g.height * m.k;
    if (hpx < kGreekBelow) {
        m.chain(box, true, lines);
        return;
    }
    const double angle = std::atan2(box[1].y - box[0].y, box[1].x - box[0].x);
    const double step = g.height * tol::kMTextLineSpacing * (g.lineSpacing > 0 ? g.lineSpacing : 1);
    const double c = std::cos(angle), s = std::sin(angle);
    p.setPen(QColor::fromRgb(color));
    const std::vector<std::string> rows = mtextPlainLines(g.text);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        // Baselines run down from the box's top-left corner.
        const double down = g.height + double(i) * step;
        const double x = box[3].x + down * s, y = box[3].y - down * c;
        drawTextLine(p, QString::fromStdString(rows[i]), m.map(x, y), angle, hpx, 1, 0, 0);
    }
}

// Where the lines of a block part go, by its colour, selection and properties.
using TraceFor = std::function<Trace(QRgb, bool, const EntityProps&)>;

// The colour of a block part placed on a layer, or nothing when its layer is hidden.
std::optional<QRgb> partColor(const EntityProps& props, const Drawing& drawing) {
    const Layer* layer = drawing.findLayer(props.layer);
    if (layer && (!layer->on || layer->frozen || layer->color.aci < 0)) {
        return std::nullopt;
    }
    if (props.color.aci == Color::kByLayer && props.color.trueColor < 0) {
        return layer ? colorOf(layer->color) : aciColor(7);
    }
    return colorOf(props.color);
}

void drawEntity(QPainter& p, const Entity& e, const Drawing& drawing, const Mapper& m, QRgb color,
                bool selected, bool oneInk, Trace& lines, const TraceFor& traceFor);

// The parts of a block reference or a dimension, each in its own line style.
template <class G>
void drawParts(QPainter& p, const G& g, const Entity& e, const Drawing& drawing, const Mapper& m,
               QRgb color, bool selected, bool oneInk, const TraceFor& traceFor) {
    forEachPlacedEntity(g, drawing, [&](const Entity& part) {
        Entity placed = part;
        placed.setProps(inheritProps(part.props(), e.props()));
        if (const std::optional<QRgb> c = partColor(placed.props(), drawing)) {
            const QRgb ink = oneInk ? color : *c;
            Trace lines = traceFor(ink, selected, placed.props());
            drawEntity(p, placed, drawing, m, ink, selected, oneInk, lines, traceFor);
        }
    });
}

// oneInk: block parts take the colour of the whole (a printout) instead of their own.
void drawEntity(QPainter& p, const Entity& e, const Drawing& drawing, const Mapper& m, QRgb color,
                bool selected, bool oneInk, Trace& lines, const TraceFor& traceFor) {
    if (const auto* line = geomIf<LineGeom>(e)) {
        m.segment(line->p1.x, line->p1.y, line->p2.x, line->p2.y, lines);
    } else if (const auto* point = geomIf<PointGeom>(e)) {
        const DrawingHeader& h = drawing.header();
        if (pointModeDot(h.pointMode)) {
            const QPointF c = m.map(point->p.x, point->p.y);
            lines.lines.append(QLineF(c.x() - kPointCross, c.y(), c.x() + kPointCross, c.y()));
            lines.lines.append(QLineF(c.x(), c.y() - kPointCross, c.x(), c.y() + kPointCross));
        }
        const double size = pointMarkerSize(h.pointSize, m.world.maxY - m.world.minY);
        for (const MarkerStroke& s : pointMarker({point->p.x, point->p.y}, h.pointMode, size)) {
            lines.lines.append(QLineF(m.map(s.a.x, s.a.y), m.map(s.b.x, s.b.y)));
        }
    } else if (const auto* xline = geomIf<InfiniteLineGeom>(e)) {
        infiniteLine(*xline, m, lines);
    } else if (const auto* text = geomIf<TextGeom>(e)) {
        drawText(p, *text, m, color, lines.lines);
    } else if (const auto* mtext = geomIf<MTextGeom>(e)) {
        drawMText(p, *mtext, m, color, lines.lines);
    } else if (const auto* solid = geomIf<SolidGeom>(e);
               solid && solid->kind != SolidGeom::Kind::Face3d) {
        fillPolygon(p, m.polygon(solidOutline(*solid)), color, selected);
    } else if (const auto* hatch = geomIf<HatchGeom>(e)) {
        const std::vector<PatternLine> pattern = hatchPatternLines(*hatch);
        if (!pattern.empty()) {
            std::vector<std::vector<Point2>> loops;
            for (const HatchLoop& loop : hatch->loops) {
                loops.push_back(hatchLoopOutline(loop, m.tolerance));
            }
            for (const Stroke2& s : hatchStrokes(loops, pattern, m.world, kMostHatchStrokes)) {
                m.segment(s.a.x, s.a.y, s.b.x, s.b.y, lines.lines);
            }
            return;
        }
        QPolygonF area;
        for (const HatchLoop& loop : hatch->loops) {
            const std::vector<Point2> pts = hatchLoopOutline(loop, m.tolerance);
            if (hatch->solid) {
                QPolygonF poly = m.polygon(pts);
                if (!poly.isEmpty()) {
                    poly.append(poly.front());
                    // Loops joined through their first points; odd-even filling
                    // leaves holes where loops nest.
                    if (!area.isEmpty()) {
                        area.append(area.front());
                    }
                    area += poly;
                }
            } else {
                m.chain(pts, true, lines);
            }
        }
        if (!area.isEmpty()) {
            fillPolygon(p, area, color, selected);
        }
    } else if (const auto* image = geomIf<ImageGeom>(e)) {
        const Point3 a = image->insertion, b = a + image->u * image->widthPx;
        const Point3 c = b + image->v * image->heightPx, d = a + image->v * image->heightPx;
        if (m.pictures) {
            // Previews and one-ink printouts show where the picture goes and its name.
            const QImage* picture =
                oneInk ? nullptr : m.pictures->find(image->fileName, m.drawingFile);
            drawPicture(p, picture, {m.map(d.x, d.y), m.map(c.x, c.y), m.map(a.x, a.y)},
                        image->fileName, color);
        }
        m.chain(std::vector<Point3>{a, b, c, d}, true, lines);
    } else if (const auto* insert = geomIf<InsertGeom>(e)) {
        drawParts(p, *insert, e, drawing, m, color, selected, oneInk, traceFor);
    } else if (const auto* dim = geomIf<DimensionGeom>(e)) {
        drawParts(p, *dim, e, drawing, m, color, selected, oneInk, traceFor);
    } else if (const auto* leader = geomIf<LeaderGeom>(e)) {
        for (const Entity& part : leaderParts(*leader, drawing, e.props())) {
            drawEntity(p, part, drawing, m, color, selected, oneInk, lines, traceFor);
        }
    } else {
        // Curves, polylines and 3D faces.
        for (const OutlineChain& chain : entityOutline(e, drawing, m.tolerance)) {
            m.chain(chain.points, false, lines);
        }
    }
}

// One-pixel solid lines written straight into the image (Bresenham): many
// times faster than a painter for the short lines of a large drawing.
void plainLines(QImage& image, const QVector<QLineF>& lines, QRgb color) {
    const int w = image.width(), h = image.height();
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (const QLineF& l : lines) {
        int x0 = int(std::floor(l.x1())), y0 = int(std::floor(l.y1()));
        const int x1 = int(std::floor(l.x2())), y1 = int(std::floor(l.y2()));
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            if (unsigned(x0) < unsigned(w) && unsigned(y0) < unsigned(h)) {
                reinterpret_cast<QRgb*>(bits + y0 * stride)[x0] = color;
            }
            if (x0 == x1 && y0 == y1) {
                break;
            }
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
}

}  // namespace

double ViewPainter::Medium::width(std::int16_t lineWeight) const {
    const double mm = (lineWeight < 0 ? kDefaultWeight : lineWeight) / 100.0;
    return wholePixels ? std::max(1.0, std::round(mm * unitsPerMm)) : mm * unitsPerMm;
}

ViewPainter::Style ViewPainter::styleOf(const EntityProps& props, const Drawing& drawing) {
    Style s{kByLayerType, 1, lineweight::kByLayer};
    if (!props.lineType.empty() && !sameName(props.lineType, "BYLAYER")) {
        s.lineType = lineTypeIndex(props.lineType, drawing.lineTypes(), kSolid);
    }
    if (std::isfinite(props.lineTypeScale) && props.lineTypeScale > 0) {
        s.lineTypeScale = props.lineTypeScale;
    }
    if (props.lineWeight != lineweight::kByLayer) {
        s.lineWeight = props.lineWeight < 0 ? kDefaultWeight : props.lineWeight;
    }
    return s;
}

ViewPainter::StyleLook ViewPainter::lookOf(const Style& style, const Medium& medium) {
    return {style.lineType, style.lineTypeScale,
            style.lineWeight == lineweight::kByLayer ? 0 : medium.width(style.lineWeight)};
}

ViewPainter::Batch& ViewPainter::batch(const Stroke& stroke, const Drawing& drawing) {
    if (last_ && last_->stroke == stroke) {
        return *last_;
    }
    for (Batch& b : batches_) {
        if (b.stroke == stroke) {
            last_ = &b;
            return b;
        }
    }
    Batch& b = batches_.emplace_back();
    b.stroke = stroke;
    if (stroke.lineType != kSolid) {
        for (const double d : drawing.lineTypes()[stroke.lineType].pattern) {
            b.dashes.push_back(d * stroke.dashScale);
            b.repeat += std::abs(d * stroke.dashScale);
        }
    }
    last_ = &b;
    return b;
}

void ViewPainter::flush(QImage& image, QPainter& p, bool antialiased) {
    for (Batch& b : batches_) {
        b.used = !b.lines.isEmpty();
    }
    if (!antialiased && image.depth() == 32) {
        // Thin lines go straight into the image; the painter must let go of it first.
        p.end();
        for (Batch& b : batches_) {
            if (!b.stroke.selected && b.stroke.width <= 1) {
                plainLines(image, b.lines, b.stroke.color);
                b.lines.clear();
            }
        }
        p.begin(&image);
    }
    p.setBrush(Qt::NoBrush);
    for (Batch& b : batches_) {
        if (b.lines.isEmpty()) {
            continue;
        }
        // Selected entities show dashed and a little heavier.
        const double width = b.stroke.width + (b.stroke.selected ? 1 : 0);
        p.setPen(QPen(QColor::fromRgb(b.stroke.color), width <= 1 ? 0 : width,
                      b.stroke.selected ? Qt::DashLine : Qt::SolidLine,
                      b.dashes.empty() ? Qt::SquareCap : Qt::FlatCap));
        // Window points are pixel centres: an even width covers whole pixels
        // only from a pixel's edge.
        const bool even = std::fmod(width, 2) == 0;
        if (even) {
            p.translate(-0.5, -0.5);
        }
        p.drawLines(b.lines);
        if (even) {
            p.translate(0.5, 0.5);
        }
        b.lines.clear();
    }
    // Strokes of earlier zooms and colours no longer shown.
    std::erase_if(batches_, [](const Batch& b) { return !b.used; });
    last_ = nullptr;
}

void ViewPainter::rebuild(const Drawing& drawing) {
    const std::vector<Entity>& all = drawing.entities();
    const std::vector<Layer>& layers = drawing.layers();
    cache_.resize(all.size());
    styles_.clear();
    std::map<Style, std::uint16_t> styleIndex;
    const std::string* lastName = nullptr;
    std::uint32_t lastLayer = kNoLayer;
    const EntityProps* lastProps = nullptr;
    std::uint16_t lastStyle = kOwnStyle;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Entity& e = all[i];
        Cached& c = cache_[i];
        c.handle = e.handle;
        c.flags = 0;
        c.box = Box2{};
        if (!lastName || *lastName != e.props().layer) {
            lastName = &e.props().layer.str();
            const Layer* layer = drawing.findLayer(e.props().layer);
            lastLayer = layer ? std::uint32_t(layer - layers.data()) : kNoLayer;
        }
        c.layer = lastLayer;
        if (!lastProps || lastProps->lineWeight != e.props().lineWeight ||
            lastProps->lineTypeScale != e.props().lineTypeScale ||
            lastProps->lineType != e.props().lineType) {
            lastProps = &e.props();
            const Style s = styleOf(e.props(), drawing);
            if (const auto at = styleIndex.find(s); at != styleIndex.end()) {
                lastStyle = at->second;
            } else if (styles_.size() < kOwnStyle) {
                lastStyle = std::uint16_t(styles_.size());
                styleIndex.emplace(s, lastStyle);
                styles_.push_back(s);
            } else {
                lastStyle = kOwnStyle;
            }
        }
        c.style = lastStyle;
        const bool byLayer =
            e.props().color.aci == Color::kByLayer && e.props().color.trueColor < 0;
        c.color = byLayer ? 0 : colorOf(e.props().color);
        c.flags |= byLayer ? kByLayer : 0;
        if (e.erased) {
            continue;
        }
        if (const auto* l = geomIf<LineGeom>(e)) {
            c.box.add(l->p1.x, l->p1.y);
            c.box.add(l->p2.x, l->p2.y);
            c.flags |= kLine;
            if ((l->p2.x - l->p1.x) * (l->p2.y - l->p1.y) >= 0) {
                c.flags |= kRising;
            }
            // The box gives the ends from its left; a pattern starts at the first point.
            if (l->p1.x > l->p2.x || (l->p1.x == l->p2.x && l->p1.y > l->p2.y)) {
                c.flags |= kBackward;
            }
        } else {
            c.box = boundingBox(e, drawing);
        }
    }
    // Bucketed by layer, each bucket in drawing order; unknown layers last.
    std::vector<std::size_t> start(layers.size() + 2, 0);
    const auto bucket = [&](const Cached& c) {
        return c.layer < layers.size() ? c.layer : layers.size();
    };
    for (const Cached& c : cache_) {
        ++start[bucket(c) + 1];
    }
    for (std::size_t b = 1; b < start.size(); ++b) {
        start[b] += start[b - 1];
    }
    order_.resize(cache_.size());
    for (std::size_t i = 0; i < cache_.size(); ++i) {
        order_[start[bucket(cache_[i])]++] = std::uint32_t(i);
    }
}

void ViewPainter::render(QImage& image, const Drawing& drawing, const View& view,
                         const Selected& selected) {
    image.fill(qRgb(0, 0, 0) | QRgb(engine::CadGetBackground()));
    QPainter p(&image);
    const bool antialiased = drawing.liveCount() < kAntialiasBelow;
    p.setRenderHint(QPainter::Antialiasing, antialiased);
    const auto layerDone = [&] { flush(image, p, antialiased); };
    collect(p, drawing, view, selected, Medium{std::nullopt, kScreenPixelsPerMm, true}, layerDone);
    layerDone();
}

void ViewPainter::paint(QPainter& p, const Drawing& drawing, const View& view, QRgb ink,
                        double unitsPerMm) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const auto layerDone = [&] {
        p.setBrush(Qt::NoBrush);
        for (const Batch& b : batches_) {
            p.setPen(QPen(QColor::fromRgb(ink), b.stroke.width, Qt::SolidLine,
                          b.dashes.empty() ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin));
            p.drawLines(b.lines);
        }
        batches_.clear();
        last_ = nullptr;
    };
    collect(p, drawing, view, {}, Medium{ink, unitsPerMm, false}, layerDone);
    layerDone();
    p.restore();
}

void ViewPainter::collect(QPainter& p, const Drawing& drawing, const View& view,
                          const Selected& selected, const Medium& medium,
                          const std::function<void()>& layerDone) {
    const std::vector<Entity>& all = drawing.entities();
    if (cache_.size() != all.size()) {
        rebuild(drawing);
    }
    Mapper m(view);
    m.pictures = &pictures_;
    m.drawingFile = drawingFile_;

    // Layers are read afresh each time: showing, hiding, recolouring or
    // restyling one needs no rebuild.
    const std::vector<Layer>& layers = drawing.layers();
    std::vector<LayerLook> looks;
    looks.reserve(layers.size());
    for (const Layer& l : layers) {
        looks.push_back({l.on && !l.frozen && l.color.aci >= 0, colorOf(l.color),
                         lineTypeIndex(l.lineType, drawing.lineTypes(), kSolid),
                         medium.width(l.lineWeight)});
    }
    const LayerLook unknown{true, aciColor(7), kSolid, medium.width(lineweight::kDefault)};
    std::vector<double> repeats;  // one pattern's length per line type, drawing units
    for (const LineType& t : drawing.lineTypes()) {
        double length = 0;
        for (const double d : t.pattern) {
            length += std::abs(d);
        }
        repeats.push_back(length);
    }
    std::vector<StyleLook> styleLooks;
    styleLooks.reserve(styles_.size());
    for (const Style& s : styles_) {
        styleLooks.push_back(lookOf(s, medium));
    }

    // Selected lines show the selection dashes instead of their pattern;
    // patterns too fine to see draw solid.
    const auto strokeFor = [&](QRgb color, bool chosen, const StyleLook& s, const LayerLook& look) {
        Stroke stroke{color, chosen, s.width > 0 ? s.width : look.width, kSolid, 0};
        const std::uint32_t type = s.lineType == kByLayerType ? look.lineType : s.lineType;
        if (!chosen && type < repeats.size() &&
            repeats[type] * s.lineTypeScale * m.k >= kSolidBelow) {
            stroke.lineType = type;
            stroke.dashScale = s.lineTypeScale * m.k;
        }
        return stroke;
    };
    const auto traceOf = [](Batch& b) {
        return Trace{b.lines, b.dashes.empty() ? nullptr : &b.dashes, b.repeat};
    };
    const TraceFor traceFor = [&](QRgb color, bool chosen, const EntityProps& props) {
        const Layer* layer = drawing.findLayer(props.layer);
        const LayerLook& look = layer ? looks[std::size_t(layer - layers.data())] : unknown;
        return traceOf(batch(
            strokeFor(color, chosen, lookOf(styleOf(props, drawing), medium), look), drawing));
    };

    struct {
        std::uint16_t style;
        std::uint32_t layer;
        QRgb color;
        bool chosen;
    } last{};
    Batch* same = nullptr;
    std::uint32_t drawnLayer = kNoLayer;
    bool drawn = false;
    for (const std::uint32_t i : order_) {
        const Cached& c = cache_[i];
        if (!m.meets(c.box)) {
            continue;  // erased entities have empty boxes
        }
        if (drawn && c.layer != drawnLayer) {
            // A later layer draws over what the earlier ones drew.
            layerDone();
            same = nullptr;
        }
        drawnLayer = c.layer;
        drawn = true;
        const LayerLook& look = c.layer < looks.size() ? looks[c.layer] : unknown;
        if (!look.visible) {
            continue;
        }
        const bool chosen = selected && selected(c.handle);
        const QRgb color = medium.ink ? *medium.ink : (c.flags & kByLayer) ? look.color : c.color;
        // Neighbours mostly share a layer, a colour and a style: their batch
        // is found without resolving the style again.
        if (!same || c.style != last.style || c.layer != last.layer || color != last.color ||
            chosen != last.chosen || c.style == kOwnStyle) {
            const StyleLook style = c.style < styleLooks.size()
                                        ? styleLooks[c.style]
                                        : lookOf(styleOf(all[i].props(), drawing), medium);
            same = &batch(strokeFor(color, chosen, style, look), drawing);
            last = {c.style, c.layer, color, chosen};
        }
        Batch& b = *same;
        if (c.flags & kLine) {
            const Box2& box = c.box;
            const bool rising = c.flags & kRising;
            double x1 = box.minX, y1 = rising ? box.minY : box.maxY;
            double x2 = box.maxX, y2 = rising ? box.maxY : box.minY;
            if (b.dashes.empty()) {
                m.segment(x1, y1, x2, y2, b.lines);
                continue;
            }
            if (c.flags & kBackward) {
                std::swap(x1, x2);
                std::swap(y1, y2);
            }
            Trace lines = traceOf(b);
            m.segment(x1, y1, x2, y2, lines);
            continue;
        }
        Trace lines = traceOf(b);
        drawEntity(p, all[i], drawing, m, color, chosen, medium.ink.has_value(), lines, traceFor);
    }
}

}  // namespace brondel::desktop
