#include "convert_report.h"

#include <nlohmann/json.hpp>

#include "base/numbers.h"
#include "pathtools/walk_report.h"

namespace brondel::cli {

namespace {

using Json = nlohmann::ordered_json;

Json point(engine::Point2 p) {
    return Json::array({p.x, p.y});
}

void printText(const ConvertReport& report, std::ostream& out) {
    out << "Lines read: " << report.linesRead << '\n'
        << "Arcs segmented: " << report.arcsSegmented << " into " << report.chords << " lines\n";
    std::size_t leftOut = 0;
    for (const auto& [kind, n] : report.leftOut) {
        leftOut += n;
    }
    out << "Entities left out: " << leftOut;
    const char* separator = " (";
    for (const auto& [kind, n] : report.leftOut) {
        out << separator << n << ' ' << kind;
        separator = ", ";
    }
    out << (leftOut > 0 ? ")\n" : "\n");
    if (report.healed) {
        out << pathtools::healText(*report.healed) << '\n';
    }
    if (report.kerf) {
        out << "Kerf allowed for: " << base::decimalText(*report.kerf)
            << " (the path moved out by half of it)\n";
    }
    out << "Steps written: " << report.steps << " to " << report.datPath << '\n'
        << "Path length: " << base::coordinateText(report.path.length) << '\n'
        << "Closure gap: " << base::coordinateText(report.path.closureGap) << '\n';
    // The walk makes one step per line; when it comes round to where it has
    // been before, lines off the start line's contour were missed.
    if (report.linked) {
        out << "Holes linked: " << report.linked->holes
            << " (each by a bridge cut in and back out)\n";
        if (report.linked->contoursLeftOut + report.linked->openLinesLeftOut > 0) {
            out << "Warning: left out of the path: " << report.linked->contoursLeftOut
                << " closed contours outside the outer one or inside a hole, "
                << report.linked->openLinesLeftOut << " entities of open contours\n";
        }
    }
    if (report.path.repeats > 2 * (report.linked ? report.linked->holes : 0)) {
        out << "Warning: the path comes back over itself at " << report.path.repeats
            << " vertices; lines off the start line's contour were not reached\n";
    }
    const std::string jumps = coordfiles::jumpsText(report.jumps);
    if (!jumps.empty()) {
        out << jumps << '\n';
    }
    const std::string chords = pathtools::arcsAsChordsText(report.arcsAsChords);
    if (!chords.empty()) {
        out << chords << '\n';
    }
}

}  // namespace

void printReport(const ConvertReport& report, bool json, std::ostream& out) {
    if (!json) {
        printText(report, out);
        return;
    }
    Json j;
    j["linesRead"] = report.linesRead;
    j["arcsSegmented"] = report.arcsSegmented;
    j["leftOut"] = Json::object();
    for (const auto& [kind, n] : report.leftOut) {
        j["leftOut"][kind] = n;
    }
    j["steps"] = report.steps;
    j["pathLength"] = report.path.length;
    j["closureGap"] = report.path.closureGap;
    j["jumps"] = report.jumps.count;
    j["arcsAsChords"] = report.arcsAsChords;
    if (report.kerf) {
        j["kerf"] = *report.kerf;
    }
    if (report.linked) {
        j["linked"] = {{"holes", report.linked->holes},
                       {"contoursLeftOut", report.linked->contoursLeftOut},
                       {"openLinesLeftOut", report.linked->openLinesLeftOut}};
    }
    if (report.healed) {
        const pathtools::HealReport& h = *report.healed;
        j["healed"] = {{"endsMoved", h.endsMoved},   {"largestMove", h.largestMove},
                       {"duplicates", h.duplicates}, {"covered", h.covered},
                       {"zeroLength", h.zeroLength}, {"groupsLeft", h.groupsLeft}};
    }
    out << j.dump() << '\n';
}

void printFailure(const ConvertFailure& failure, bool json, std::ostream& out, std::ostream& err) {
    err << failure.message << '\n';
    if (!json) {
        if (failure.deadEnd) {
            err << pathtools::deadEndText(*failure.deadEnd) << '\n';
        }
        return;
    }
    Json j;
    j["error"] = failure.message;
    const auto& deadEnd = failure.deadEnd;
    j["deadEnd"] = deadEnd ? point(deadEnd->at) : Json();
    const bool reached = deadEnd && deadEnd->nearest;
    j["nearestEnd"] = reached ? point(*deadEnd->nearest) : Json();
    j["gap"] = reached ? Json(deadEnd->gap) : Json();
    j["suggestedRadius"] =
        reached && deadEnd->suggestedRadius ? Json(*deadEnd->suggestedRadius) : Json();
    out << j.dump() << '\n';
}

}  // namespace brondel::cli
