#include "pathtools/link_command.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/numbers.h"
#include "coordfiles/list_views.h"
#include "coordfiles/rows.h"
#include "documents/report_line.h"
#include "engine/cad.h"
#include "pathtools/contour_rings.h"
#include "pathtools/link_contours.h"
#include "pathtools/reorganize.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

namespace {

std::optional<LinkCounts> refuse(documents::DrawingWindow& window, const std::string& text) {
    window.main().ports.dialogs.messageBox(text, ports::Buttons::Ok, ports::Icon::None, kLinkTitle);
    return std::nullopt;
}

bool startIsSet(documents::DrawingWindow& window) {
    const engine::Handle start = window.main().state.startEntity;
    const engine::Entity* line = window.Vecad1.drawing().find(start);
    return line != nullptr && !line->erased &&
           window.Vecad1.EntityGetType(start) == engine::code(engine::EntityType::Line);
}

std::string summary(const LinkedPath& linked, std::size_t openLines, double kerf) {
    std::string text = "Linked " + std::to_string(linked.holes) +
                       (linked.holes == 1 ? " hole" : " holes") + " into one path of " +
                       std::to_string(linked.path.size() - 1) + " segments";
    if (linked.holes > 0) {
        text += "; the bridges, each cut in and back out, are " +
                base::coordinateText(linked.bridgeLength) + " long";
    }
    if (kerf > 0) {
        text += "; kerf " + base::decimalText(kerf) + " allowed for";
    }
    text += ".";
    if (linked.leftOut > 0 || openLines > 0) {
        text += " Left out: " + std::to_string(linked.leftOut) +
                " closed contours outside the outer one or inside a hole, " +
                std::to_string(openLines) + " entities of open contours.";
    }
    return text;
}

}  // namespace

std::optional<LinkCounts> linkContours(documents::DrawingWindow& window, double kerf) {
    shell::MainWindow& main = window.main();
    engine::Vecad& vecad = window.Vecad1;
    const engine::Handle start = main.state.startEntity;
    if (!startIsSet(window)) {
        return refuse(window, kLinkNeedsStartText);
    }
    const Rings rings = closedRings(vecad, main.searchRadius);
    std::vector<std::vector<engine::Point2>> outlines;
    std::size_t outer = rings.closed.size();
    for (std::size_t r = 0; r < rings.closed.size(); ++r) {
        const auto& lines = rings.closed[r].lines;
        if (std::find(lines.begin(), lines.end(), start) != lines.end()) {
            outer = r;
        }
        outlines.push_back(rings.closed[r].points);
    }
    if (outer == rings.closed.size()) {
        return refuse(window,
                      "The start line is not on a closed contour: Check Drawing shows "
                      "where the contour is open");
    }
    // The ring's segment the start line makes, and whether the ring runs
    // the way the line is drawn.
    double x1, y1, z1, x2, y2, z2;
    engine::CadLineGetPoint1(start, x1, y1, z1);
    engine::CadLineGetPoint2(start, x2, y2, z2);
    const auto apart = [](engine::Point2 p, double x, double y) {
        return std::hypot(p.x - x, p.y - y);
    };
    const std::vector<engine::Point2>& ring = outlines[outer];
    std::size_t segment = 0;
    bool forward = true;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
        const double along = apart(ring[i], x1, y1) + apart(ring[i + 1], x2, y2);
        const double against = apart(ring[i], x2, y2) + apart(ring[i + 1], x1, y1);
        if (std::min(along, against) < best) {
            best = std::min(along, against);
            segment = i;
            forward = along <= against;
        }
    }
    const LinkedPath linked = linkRings(outlines, outer, segment, forward, kerf);
    if (!linked.done) {
        return refuse(window, linked.message);
    }

    std::vector<std::string> rows;
    rows.reserve(linked.path.size());
    for (const engine::Point2& p : linked.path) {
        rows.push_back(coordfiles::coordinateRow(p.x, p.y));
    }
    {
        engine::Drawing::Step step(vecad.drawing(), kLinkTitle);
        coordfiles::setRows(window.CList, std::move(rows));
        rebuildAsPath(window);
    }
    main.state.startEntity = engine::kNoHandle;
    main.state.startMarker = engine::kNoHandle;
    documents::reportLine(window, summary(linked, rings.openLines, kerf));
    return LinkCounts{linked.holes, linked.leftOut, rings.openLines};
}

void linkContoursCommand(documents::DrawingWindow& window) {
    if (!startIsSet(window)) {
        refuse(window, kLinkNeedsStartText);
        return;
    }
    ports::Dialogs& dialogs = window.main().ports.dialogs;
    for (;;) {
        const std::string answer = dialogs.inputBox(kLinkKerfPrompt, kLinkTitle, "0");
        if (answer.empty()) {
            return;
        }
        const std::optional<double> kerf = base::parseNumber(answer);
        if (kerf && *kerf >= 0 && std::isfinite(*kerf)) {
            linkContours(window, *kerf);
            return;
        }
        dialogs.messageBox(kLinkKerfRefusedText, ports::Buttons::Ok, ports::Icon::None,
                           ports::kApplicationTitle);
    }
}

}  // namespace brondel::pathtools
