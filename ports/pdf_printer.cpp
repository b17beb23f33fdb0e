#include "ports/pdf_printer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <variant>

#include "base/atomic_file.h"
#include "engine/drawing.h"
#include "engine/entity_outline.h"
#include "engine/explode.h"
#include "engine/layer_order.h"
#include "engine/pages.h"
#include "engine/vecad.h"

namespace brondel::ports {

namespace {

using engine::Point2;
using Stroke = std::vector<Point2>;

constexpr double kA4Short = 595.28;  // points
constexpr double kA4Long = 841.89;
constexpr double kMargin = 36;
constexpr double kPointsPerMm = 72 / 25.4;
constexpr double kMarkerHalf = 3;

// Kinds drawn by their own outline, as the screen draws them.
bool drawnByOutline(const engine::Entity& e) {
    switch (e.type()) {
        case engine::EntityType::Line:
        case engine::EntityType::Arc:
        case engine::EntityType::Circle:
        case engine::EntityType::Ellipse:
        case engine::EntityType::Spline:
        case engine::EntityType::Polyline:
        case engine::EntityType::Solid:
        case engine::EntityType::Image:
        case engine::EntityType::Hatch:
            return true;
        default:
            return false;
    }
}

// Block references, dimensions and multi-line texts are drawn by their
// parts. Nesting deeper than this is taken for a block that contains
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
    if (const auto* point = engine::geomIf<engine::PointGeom>(e)) {
        picture.markers.push_back({point->p.x, point->p.y});
    } else if (const auto* text = engine::geomIf<engine::TextGeom>(e)) {
        picture.markers.push_back({text->p.x, text->p.y});
    } else if (drawnByOutline(e)) {
        for (engine::OutlineChain& chain : engine::entityOutline(e, context.blocks, 0)) {
            picture.strokes.push_back(std::move(chain.points));
        }
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

    static PageFit of(const engine::Box2& box, const std::optional<engine::Sheet>& sheet) {
        const bool landscape = !box.empty() && box.width() > box.height();
        PageFit fit{landscape ? kA4Long : kA4Short, landscape ? kA4Short : kA4Long, 1, 0, 0};
        if (sheet) {
            fit.pageWidth = sheet->width * kPointsPerMm;
            fit.pageHeight = sheet->height * kPointsPerMm;
        }
        if (box.empty()) {
            return fit;
        }
        // A small sheet keeps most of itself for the drawing.
        const double margin = std::min(kMargin, std::min(fit.pageWidth, fit.pageHeight) / 10);
        const double usableW = fit.pageWidth - 2 * margin;
        const double usableH = fit.pageHeight - 2 * margin;
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
    const engine::Drawing& drawing = control.drawing();
    base::writeFileAtomically(
        path, pictureToPdf(drawingPicture(drawing), engine::printedSheet(drawing.header())));
}

}  // namespace

PrintPicture drawingPicture(const engine::Drawing& drawing) {
    PrintPicture picture;
    PartsContext context{drawing, chordToleranceOf(drawing)};
    // Later layers over earlier ones, as the screen draws them.
    const std::vector<engine::Entity>& all = drawing.entities();
    for (const std::uint32_t i : engine::drawingOrder(all, drawing.layers())) {
        addEntity(all[i], context, 0, picture);
    }
    return picture;
}

std::string pictureToPdf(const PrintPicture& picture, const std::optional<engine::Sheet>& sheet) {
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
    const PageFit fit = PageFit::of(box, sheet);
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
