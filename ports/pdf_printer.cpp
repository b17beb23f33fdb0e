#include "ports/pdf_printer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <variant>

#include "base/atomic_file.h"
#include "engine/drawing.h"
#include "engine/explode.h"
#include "engine/tessellate.h"
#include "engine/vecad.h"

namespace brondel::ports {

namespace {

using engine::Point2;
using engine::Point3;
using Stroke = std::vector<Point2>;

constexpr double kA4Short = 595.28;  // points
constexpr double kA4Long = 841.89;
constexpr double kMargin = 36;
constexpr double kMarkerHalf = 3;

Stroke flatten(const std::vector<Point3>& points) {
    Stroke stroke;
    stroke.reserve(points.size());
    for (const Point3& p : points) {
        stroke.push_back({p.x, p.y});
    }
    return stroke;
}

Stroke polylineStroke(const engine::PolylineGeom& g) {
    Stroke stroke;
    const std::size_t n = g.vertices.size();
    if (n == 0) {
        return stroke;
    }
    stroke.push_back({g.vertices[0].x, g.vertices[0].y});
    const std::size_t segments = g.closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const engine::Vertex& a = g.vertices[i];
        const engine::Vertex& b = g.vertices[(i + 1) % n];
        if (a.bulge != 0 && !g.is3d && (a.x != b.x || a.y != b.y)) {
            const engine::BulgeArc arc = engine::bulgeArc(a, b);
            const auto points =
                engine::tessellateArc({arc.cx, arc.cy, 0}, arc.r, arc.start, arc.sweep, 0);
            for (std::size_t k = 1; k < points.size(); ++k) {
                stroke.push_back({points[k].x, points[k].y});
            }
        } else {
            stroke.push_back({b.x, b.y});
        }
    }
    return stroke;
}

// Block references, dimensions, hatches and multi-line texts are drawn by
// their parts. Nesting deeper than this is taken for a block that contains
// itself, and the parts drawn in all have a budget, so such a block cannot
// stall the printout.
constexpr int kMaxNesting = 16;
constexpr std::size_t kPartsBudget = 1'000'000;

struct PartsContext {
    const engine::BlockLookup& blocks;
    double chordTolerance;
    std::size_t partsLeft = kPartsBudget;
};

// Chords of curves inside blocks deviate by at most this share of the
// drawing's size, well under what the page can show.
double chordToleranceOf(const engine::Drawing& drawing) {
    const engine::Box2 box = drawing.extents();
    const double size = std::max(box.width(), box.height());
    return std::isfinite(size) && size > 0 ? size / 4000 : 1e-3;
}

void addEntity(const engine::Entity& e, PartsContext& context, int depth, PrintPicture& picture) {
    if (const auto* line = engine::geomIf<engine::LineGeom>(e)) {
        picture.strokes.push_back({{line->p1.x, line->p1.y}, {line->p2.x, line->p2.y}});
    } else if (const auto* arc = engine::geomIf<engine::ArcGeom>(e)) {
        picture.strokes.push_back(flatten(
            engine::tessellateArc(arc->center, arc->radius, arc->startAngle, arc->angle, 0)));
    } else if (const auto* circle = engine::geomIf<engine::CircleGeom>(e)) {
        picture.strokes.push_back(
            flatten(engine::tessellateArc(circle->center, circle->radius, 0, engine::kTwoPi, 0)));
    } else if (const auto* ellipse = engine::geomIf<engine::EllipseGeom>(e)) {
        picture.strokes.push_back(flatten(engine::tessellateEllipse(*ellipse, 0)));
    } else if (const auto* spline = engine::geomIf<engine::SplineGeom>(e)) {
        picture.strokes.push_back(flatten(engine::tessellateSpline(*spline, 0)));
    } else if (const auto* poly = engine::geomIf<engine::PolylineGeom>(e)) {
        picture.strokes.push_back(polylineStroke(*poly));
    } else if (const auto* point = engine::geomIf<engine::PointGeom>(e)) {
        picture.markers.push_back({point->p.x, point->p.y});
    } else if (const auto* text = engine::geomIf<engine::TextGeom>(e)) {
        picture.markers.push_back({text->p.x, text->p.y});
    } else if (const auto* solid = engine::geomIf<engine::SolidGeom>(e)) {
        Stroke outline;
        for (const Point3& corner : solid->corners) {
            outline.push_back({corner.x, corner.y});
        }
        outline.push_back(outline.front());
        picture.strokes.push_back(std::move(outline));
    } else if (depth < kMaxNesting && context.partsLeft > 0) {
        const std::vector<engine::Entity> parts =
            engine::explodeEntity(e, context.blocks, context.chordTolerance);
        context.partsLeft -= std::min(context.partsLeft, parts.size());
        for (const engine::Entity& part : parts) {
            addEntity(part, context, depth + 1, picture);
        }
    }
}

bool finite(const Point2& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

void appendNumber(std::string& out, double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    out.append(buffer, result.ptr);
}

void appendPoint(std::string& out, double x, double y, const char* op) {
    appendNumber(out, x);
    out += ' ';
    appendNumber(out, y);
    out += ' ';
    out += op;
    out += '\n';
}

// Maps drawing units to page points: uniform scale, centred in the margins.
struct PageFit {
    double pageWidth, pageHeight, scale, offsetX, offsetY;

    static PageFit of(const engine::Box2& box) {
        const bool landscape = !box.empty() && box.width() > box.height();
        PageFit fit{landscape ? kA4Long : kA4Short, landscape ? kA4Short : kA4Long, 1, 0, 0};
        if (box.empty()) {
            return fit;
        }
        const double usableW = fit.pageWidth - 2 * kMargin;
        const double usableH = fit.pageHeight - 2 * kMargin;
        const double w = box.width(), h = box.height();
        if (w > 0 || h > 0) {
            fit.scale = std::min(w > 0 ? usableW / w : INFINITY, h > 0 ? usableH / h : INFINITY);
        }
        fit.offsetX = fit.pageWidth / 2 - (box.minX + w / 2) * fit.scale;
        fit.offsetY = fit.pageHeight / 2 - (box.minY + h / 2) * fit.scale;
        return fit;
    }
    double x(double v) const { return offsetX + v * scale; }
    double y(double v) const { return offsetY + v * scale; }
};

std::string pageContent(const PrintPicture& picture, const PageFit& fit) {
    std::string out = "0.5 w 1 J 1 j\n";
    for (const Stroke& stroke : picture.strokes) {
        const char* op = "m";
        std::size_t drawn = 0;
        for (const Point2& p : stroke) {
            if (!finite(p)) {
                continue;
            }
            appendPoint(out, fit.x(p.x), fit.y(p.y), op);
            op = "l";
            ++drawn;
        }
        if (drawn > 0) {
            out += "S\n";
        }
    }
    for (const Point2& p : picture.markers) {
        if (!finite(p)) {
            continue;
        }
        const double x = fit.x(p.x), y = fit.y(p.y);
        appendPoint(out, x - kMarkerHalf, y, "m");
        appendPoint(out, x + kMarkerHalf, y, "l");
        appendPoint(out, x, y - kMarkerHalf, "m");
        appendPoint(out, x, y + kMarkerHalf, "l");
        out += "S\n";
    }
    return out;
}

void write(const std::string& path, const engine::Vecad& control) {
    base::writeFileAtomically(path, pictureToPdf(drawingPicture(control.drawing())));
}

}  // namespace

PrintPicture drawingPicture(const engine::Drawing& drawing) {
    PrintPicture picture;
    PartsContext context{drawing, chordToleranceOf(drawing)};
    for (engine::Handle h = drawing.firstLive(); h != engine::kNoHandle; h = drawing.nextLive(h)) {
        addEntity(drawing.entity(h), context, 0, picture);
    }
    return picture;
}

std::string pictureToPdf(const PrintPicture& picture) {
    engine::Box2 box;
    for (const Stroke& stroke : picture.strokes) {
        for (const Point2& p : stroke) {
            if (finite(p)) {
                box.add(p.x, p.y);
            }
        }
    }
    for (const Point2& p : picture.markers) {
        if (finite(p)) {
            box.add(p.x, p.y);
        }
    }
    const PageFit fit = PageFit::of(box);
    const std::string content = pageContent(picture, fit);

    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    const auto object = [&](const std::string& body) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    };
    std::string mediaBox = "[0 0 ";
    appendNumber(mediaBox, fit.pageWidth);
    mediaBox += ' ';
    appendNumber(mediaBox, fit.pageHeight);
    mediaBox += ']';
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox " + mediaBox +
           " /Resources << >> /Contents 4 0 R >>");
    object("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
           "endstream");

    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        std::string number = std::to_string(offset);
        pdf += std::string(10 - number.size(), '0') + number + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(offsets.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

PdfPrinter::PdfPrinter(std::string path) : path_(std::move(path)) {}

void PdfPrinter::print(const engine::Vecad& control) {
    write(path_, control);
}

void PdfPrinter::preview(const engine::Vecad& control) {
    write(path_, control);
}

}  // namespace brondel::ports
