#include "convert_command.h"

#include "convert_report.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/error_messages.h"
#include "base/numbers.h"
#include "coordfiles/dat_commands.h"
#include "coordfiles/file_conversion.h"
#include "coordfiles/list_views.h"
#include "coordfiles/path_jumps.h"
#include "coordfiles/path_measures.h"
#include "coordfiles/path_svg.h"
#include "coordfiles/rows.h"
#include "documents/file_commands.h"
#include "engine/cad.h"
#include "engine/commands.h"
#include "engine/entity_type.h"
#include "pathtools/close_gaps.h"
#include "pathtools/dat_save.h"
#include "pathtools/kerf_offset.h"
#include "pathtools/link_command.h"
#include "pathtools/path_segments.h"
#include "pathtools/pick_handler.h"
#include "pathtools/prep_drawing.h"
#include "pathtools/reorganize.h"
#include "pathtools/segmenting.h"
#include "ports/dialogs.h"
#include "ports/inert_ports.h"
#include "ports/launcher.h"
#include "ports/printer.h"
#include "ports/pump.h"
#include "ports/registry.h"
#include "shell/main_window.h"

namespace brondel::cli {

namespace {

// The DAT file as written, drawn with its direction; a failure here leaves
// the DAT file in place and says why.
int writePicture(const std::string& datPath, const std::string& svgPath, std::ostream& err) {
    if (svgPath.empty()) {
        return 0;
    }
    try {
        const coordfiles::PairFile dat = coordfiles::readPairFile(datPath);
        base::writeFileAtomically(svgPath, coordfiles::pathSvg(dat.pairs));
        return 0;
    } catch (const Error& e) {
        err << "The picture was not written to " << svgPath << ": " << base::errorNumberMessage(e)
            << '\n';
    }
    return 1;
}

}  // namespace

int runConvertSequential(const std::string& inPath, const std::string& datPath,
                         const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    const bool json = options.json;
    const coordfiles::FileConversion result =
        coordfiles::convertSequentialFile(inPath, datPath, options.radius);
    if (!result.done) {
        printFailure({result.message, std::nullopt}, json, out, err);
        return 1;
    }
    if (!json) {
        out << "Entities: " << result.entities << '\n'
            << "Lines read: " << result.lines << '\n'
            << "Steps written: " << result.steps << " to " << datPath << '\n';
        const std::string jumps = coordfiles::jumpsText(result.jumps);
        if (!jumps.empty()) {
            out << jumps << '\n';
        }
        return writePicture(datPath, options.svg, err);
    }
    ConvertReport report;
    report.linesRead = result.lines;
    report.leftOut = result.leftOut;
    report.steps = result.steps;
    report.path = result.path;
    report.jumps = result.jumps;
    printReport(report, true, out);
    return writePicture(datPath, options.svg, err);
}

std::optional<PlanePoint> parsePlanePoint(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const auto x = base::parseNumber(std::string_view(text).substr(0, comma));
    const auto y = base::parseNumber(std::string_view(text).substr(comma + 1));
    if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y)) {
        return std::nullopt;
    }
    return PlanePoint{*x, *y};
}

namespace {

using engine::Handle;
using engine::kNoHandle;

// The answers a user of the road gives: the drawing to open and the DAT file
// to save, No to saving the drawing before the walk (the file on disk stays
// as it is), No to the direction question as often as asked to reverse, then
// Yes. Every plain message is kept; the last one explains a failure.
class RoadDialogs : public ports::Dialogs {
  public:
    std::string openPath;
    std::string savePath;
    int reversals = 0;
    std::vector<std::string> messages;

    ports::Answer messageBox(const std::string& text, ports::Buttons buttons, ports::Icon,
                             const std::string&) override {
        switch (buttons) {
            case ports::Buttons::YesNoCancel:
                if (reversals > 0) {
                    --reversals;
                    return ports::Answer::No;
                }
                return ports::Answer::Yes;
            case ports::Buttons::YesNo:
                return ports::Answer::No;
            case ports::Buttons::Ok:
                break;
        }
        messages.push_back(text);
        return ports::Answer::Ok;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string openFile(const ports::FileDialogSetup&) override { return openPath; }
    std::string saveFile(const ports::FileDialogSetup&) override { return savePath; }
};

class Road {
  public:
    Road(const std::string& inPath, const std::string& datPath, const ConvertOptions& options)
        : options_(options), main_({dialogs_, pump_, registry_, launcher_, printer_}, ".") {
        dialogs_.openPath = inPath;
        dialogs_.savePath = datPath;
        dialogs_.reversals = options.reverse ? 1 : 0;
        main_.searchRadius = options.radius;
        main_.previewOnDemand = true;  // the road writes the DAT file; nobody sees the preview
    }

    ConvertReport run() {
        ConvertReport report;
        documents::DrawingWindow& window = open();
        engine::Vecad& vecad = window.Vecad1;
        // Nothing is undone on this road: what each step replaces is freed at once.
        vecad.drawing().keepHistory(false);
        report.linesRead = static_cast<std::size_t>(pathtools::prepDrawing(window));
        segmentArcs(vecad, report);
        leaveOutOthers(vecad, report);
        if (options_.heal) {
            report.healed = pathtools::closeGaps(vecad, *options_.heal);
        }
        report.arcsAsChords = countArcs(vecad);
        setStartLine(window);
        if (options_.link) {
            report.linked = pathtools::linkContours(window, options_.kerf.value_or(0));
            runStep(report.linked.has_value());
            report.jumps = coordfiles::lineJumps(vecad, options_.radius);
        } else {
            // The drawing is dropped once the list holds the path, so it is
            // not rebuilt. A walk's list runs end to end by construction:
            // each row starts where the one before ended, so it has no jumps.
            const pathtools::ReorganizeEnd end =
                pathtools::reorganizeEntities(window, pathtools::PathDrawing::LeftAsWalked);
            if (end != pathtools::ReorganizeEnd::Complete) {
                throw ConvertFailure{lastMessage(), window.deadEnd};
            }
        }
        if (options_.kerf) {
            if (!options_.link) {
                allowForKerf(window, *options_.kerf);
            }
            report.kerf = options_.kerf;
        }
        // The coordinate list now holds the path; the drawing is not needed
        // for the DAT file, so its memory goes before the DAT list is made.
        vecad.Purge(1);
        coordfiles::convertCoordinateList(window);
        runStep(!dialogs_.messages.empty() &&
                dialogs_.messages.back() == coordfiles::kConversionCompleteText);
        const std::size_t shown = dialogs_.messages.size();
        pathtools::saveDatFile(window);
        runStep(dialogs_.messages.size() == shown);
        report.steps = window.DList.rows.size();
        report.datPath = dialogs_.savePath;
        report.path = coordfiles::measurePath(window.CList.rows);
        return report;
    }

  private:
    // A command that did not finish said why in its last message.
    void runStep(bool finished) {
        if (!finished) {
            throw ConvertFailure{lastMessage(), std::nullopt};
        }
    }

    // The walked path, moved out by half the kerf, becomes the list the DAT
    // steps are made from.
    static void allowForKerf(documents::DrawingWindow& window, double kerf) {
        std::vector<engine::Point2> path;
        for (const std::string& row : window.CList.rows) {
            const coordfiles::RowPoint p = coordfiles::readCoordinateRow(row);
            path.push_back({p.x, p.y});
        }
        const pathtools::KerfOffset offset = pathtools::kerfOffset(path, kerf);
        if (!offset.done) {
            throw ConvertFailure{offset.message, std::nullopt};
        }
        std::vector<std::string> rows;
        rows.reserve(offset.path.size());
        for (const engine::Point2& p : offset.path) {
            rows.push_back(coordfiles::coordinateRow(p.x, p.y));
        }
        coordfiles::setRows(window.CList, std::move(rows));
    }

    std::string lastMessage() const {
        return dialogs_.messages.empty() ? std::string("The command did not finish")
                                         : dialogs_.messages.back();
    }

    static int countArcs(const engine::Vecad& vecad) {
        int arcs = 0;
        for (const engine::Entity& e : vecad.drawing().entities()) {
            arcs += !e.erased && e.type() == engine::EntityType::Arc ? 1 : 0;
        }
        return arcs;
    }

    documents::DrawingWindow& open() {
        documents::fileOpen(main_);
        runStep(main_.active() != nullptr && dialogs_.messages.empty());
        // One run, nothing to undo: the history would only hold every entity twice.
        main_.active()->Vecad1.drawing().keepHistory(false);
        return *main_.active();
    }

    // Arcs and circles become chords in their own direction, as the explode
    // tool makes them.
    void segmentArcs(engine::Vecad& vecad, ConvertReport& report) {
        std::vector<Handle> arcs;
        for (const engine::Entity& e : vecad.drawing().entities()) {
            if (!e.erased &&
                (e.type() == engine::EntityType::Arc || e.type() == engine::EntityType::Circle)) {
                arcs.push_back(e.handle);
            }
        }
        engine::Drawing::Step step(vecad.drawing(), "Explode Arc into Segments");
        std::size_t chords = 0;
        for (Handle h : arcs) {
            double cx, cy, cz;
            engine::CadArcGetCenter(h, cx, cy, cz);
            const double radius = engine::CadArcGetRadius(h);
            const double start = engine::CadArcGetStartAngle(h);
            const double angle = engine::CadArcGetAngle(h);
            const int n = options_.arcSegments.value_or(
                pathtools::chordsWithin(radius, angle, options_.arcTolerance));
            const std::vector<engine::Point2> points =
                pathtools::arcChordPoints({cx, cy}, radius, start, angle, n);
            for (std::size_t i = 1; i < points.size(); ++i) {
                vecad.AddLine(points[i - 1].x, points[i - 1].y, 0, points[i].x, points[i].y, 0);
            }
            chords += points.size() - 1;
            vecad.EntityErase(h, true);
        }
        vecad.Purge(3);
        report.arcsSegmented = arcs.size();
        report.chords = chords;
    }

    // Text, points and the like are no part of a cutting path.
    void leaveOutOthers(engine::Vecad& vecad, ConvertReport& report) {
        std::vector<Handle> others;
        for (const engine::Entity& e : vecad.drawing().entities()) {
            if (!e.erased && e.type() != engine::EntityType::Line) {
                ++report.leftOut[engine::typeName(e.type())];
                others.push_back(e.handle);
            }
        }
        engine::Drawing::Step step(vecad.drawing(), "Leave out");
        for (Handle h : others) {
            vecad.EntityErase(h, true);
        }
        vecad.Purge(3);
    }

    // The line the start point goes on: the nearest to the given point, or
    // the first line.
    Handle startLine(const engine::Vecad& vecad) const {
        const Handle first = vecad.GetFirstEntity();
        if (!options_.start || first == kNoHandle) {
            return first;
        }
        Handle best = first;
        double bestDistance = std::numeric_limits<double>::infinity();
        for (Handle h = first; h != kNoHandle; h = vecad.GetNextEntity(h)) {
            double x1, y1, z1, x2, y2, z2;
            engine::CadLineGetPoint1(h, x1, y1, z1);
            engine::CadLineGetPoint2(h, x2, y2, z2);
            const double d = distanceToSegment(*options_.start, {x1, y1}, {x2, y2});
            if (d < bestDistance) {
                bestDistance = d;
                best = h;
            }
        }
        return best;
    }

    static double distanceToSegment(PlanePoint p, PlanePoint a, PlanePoint b) {
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double lengthSquared = dx * dx + dy * dy;
        double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
        t = std::clamp(t, 0.0, 1.0);
        return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
    }

    // The start-point tool, armed from its menu item and served by a press
    // at the middle of the line in a view of the whole drawing.
    void setStartLine(documents::DrawingWindow& window) {
        engine::Vecad& vecad = window.Vecad1;
        const Handle line = startLine(vecad);
        if (line == kNoHandle) {
            throw ConvertFailure{"The drawing holds no line to start the path at", std::nullopt};
        }
        vecad.Execute(engine::command::kZoomExtents);
        double x1, y1, z1, x2, y2, z2;
        engine::CadLineGetPoint1(line, x1, y1, z1);
        engine::CadLineGetPoint2(line, x2, y2, z2);
        const engine::Point3 middle{(x1 + x2) / 2, (y1 + y2) / 2, 0};
        const engine::Point2 pixel = vecad.view().toWindow(middle.x, middle.y);
        main_.runHandler("mnuSetStart");
        vecad.pressAt(pixel.x, pixel.y);
        const std::size_t shown = dialogs_.messages.size();
        pathtools::handlePress(main_, vecad, pixel, middle);
        runStep(dialogs_.messages.size() == shown && main_.state.startEntity != kNoHandle);
    }

    const ConvertOptions& options_;
    RoadDialogs dialogs_;
    ports::Pump pump_;
    ports::NoRegistry registry_;
    ports::NoLauncher launcher_;
    ports::NoPrinter printer_;
    shell::MainWindow main_;
};

}  // namespace

int runConvert(const std::string& inPath, const std::string& datPath, const ConvertOptions& options,
               std::ostream& out, std::ostream& err) {
    if (!(options.radius > 0) || !std::isfinite(options.radius)) {
        err << coordfiles::kRadiusRefusedText << '\n';
        return 1;
    }
    if (!(options.arcTolerance > 0) || !std::isfinite(options.arcTolerance)) {
        err << "The arc tolerance must be a number greater than 0\n";
        return 1;
    }
    try {
        Road road(inPath, datPath, options);
        printReport(road.run(), options.json, out);
        return writePicture(datPath, options.svg, err);
    } catch (const ConvertFailure& failure) {
        printFailure(failure, options.json, out, err);
    } catch (const Error& e) {
        printFailure({base::errorNumberMessage(e), std::nullopt}, options.json, out, err);
    }
    return 1;
}

}  // namespace brondel::cli
