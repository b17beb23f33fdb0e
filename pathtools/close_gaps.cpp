#include "pathtools/close_gaps.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

#include "base/numbers.h"
#include "documents/report_line.h"
#include "engine/entity_type.h"
#include "pathtools/drawing_check.h"
#include "pathtools/end_grid.h"
#include "pathtools/walk_report.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

namespace {

using engine::Handle;
using engine::Point2;

struct Line {
    Handle handle;
    engine::LineGeom geom;
    bool moved = false;
    bool erased = false;
};

Point2 plane(const engine::Point3& p) {
    return {p.x, p.y};
}

void moveEnd(engine::Point3& end, Point2 to) {
    end.x = to.x;
    end.y = to.y;
}

// Groups of ends within tolerance meet at their middle.
void joinEnds(std::vector<Line>& lines, double tolerance, HealReport& report) {
    std::vector<Point2> ends;
    ends.reserve(2 * lines.size());
    for (const Line& l : lines) {
        ends.push_back(plane(l.geom.p1));
        ends.push_back(plane(l.geom.p2));
    }
    std::vector<int> parent(ends.size());
    for (std::size_t i = 0; i < parent.size(); ++i) {
        parent[i] = int(i);
    }
    const auto find = [&](int i) {
        while (parent[std::size_t(i)] != i) {
            parent[std::size_t(i)] = parent[std::size_t(parent[std::size_t(i)])];
            i = parent[std::size_t(i)];
        }
        return i;
    };
    EndGrid(ends, tolerance).forEachNearPair(tolerance, [&](int a, int b) {
        parent[std::size_t(find(a))] = find(b);
    });
    std::map<int, std::vector<int>> groups;
    for (std::size_t e = 0; e < ends.size(); ++e) {
        groups[find(int(e))].push_back(int(e));
    }
    for (const auto& [root, members] : groups) {
        if (members.size() < 2) {
            continue;
        }
        Point2 middle{0, 0};
        for (int e : members) {
            middle.x += ends[std::size_t(e)].x / double(members.size());
            middle.y += ends[std::size_t(e)].y / double(members.size());
        }
        double farthest = 0;
        for (int e : members) {
            farthest = std::max(farthest, std::hypot(ends[std::size_t(e)].x - middle.x,
                                                     ends[std::size_t(e)].y - middle.y));
        }
        if (farthest > tolerance) {
            ++report.groupsLeft;
            continue;
        }
        for (int e : members) {
            const Point2 at = ends[std::size_t(e)];
            if (at.x == middle.x && at.y == middle.y) {
                continue;
            }
            Line& line = lines[std::size_t(e) / 2];
            moveEnd(e % 2 == 0 ? line.geom.p1 : line.geom.p2, middle);
            line.moved = true;
            ++report.endsMoved;
            report.largestMove =
                std::max(report.largestMove, std::hypot(at.x - middle.x, at.y - middle.y));
        }
    }
}

// Lines of no length, lines drawn twice and lines another collinear line
// covers whole.
void dropRepeats(std::vector<Line>& lines, double tolerance, HealReport& report) {
    struct Key {
        std::int64_t angle, offset;
        double from, to;
        std::size_t index;
    };
    std::vector<Key> keys;
    const double offsetQuantum = std::max(tolerance * 1e-3, 1e-9);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Point2 a = plane(lines[i].geom.p1), b = plane(lines[i].geom.p2);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length <= kZeroLength) {
            lines[i].erased = true;
            ++report.zeroLength;
            continue;
        }
        double dx = (b.x - a.x) / length, dy = (b.y - a.y) / length;
        if (dx < 0 || (dx == 0 && dy < 0)) {
            dx = -dx;
            dy = -dy;
        }
        double t0 = dx * a.x + dy * a.y, t1 = dx * b.x + dy * b.y;
        if (t0 > t1) {
            std::swap(t0, t1);
        }
        keys.push_back({std::llround(std::atan2(dy, dx) * 1e9),
                        std::llround((dx * a.y - dy * a.x) / offsetQuantum), t0, t1, i});
    }
    // Longest first among equal starts, so the line that covers comes first.
    std::sort(keys.begin(), keys.end(), [](const Key& p, const Key& q) {
        return std::tie(p.angle, p.offset, p.from, q.to, p.index) <
               std::tie(q.angle, q.offset, q.from, p.to, q.index);
    });
    const Key* cover = nullptr;
    for (const Key& k : keys) {
        if (cover == nullptr || k.angle != cover->angle || k.offset != cover->offset ||
            k.to > cover->to) {
            cover = &k;
            continue;
        }
        lines[k.index].erased = true;
        ++(k.from == cover->from && k.to == cover->to ? report.duplicates : report.covered);
    }
}

std::string countText(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

HealReport closeGaps(engine::Vecad& vecad, double tolerance) {
    HealReport report;
    engine::Drawing& drawing = vecad.drawing();
    std::vector<Line> lines;
    for (Handle h = vecad.GetFirstEntity(); h != engine::kNoHandle; h = vecad.GetNextEntity(h)) {
        if (const auto* line = engine::geomIf<engine::LineGeom>(drawing.entity(h))) {
            lines.push_back({h, *line});
        }
    }
    joinEnds(lines, tolerance, report);
    dropRepeats(lines, tolerance, report);
    if (report.endsMoved + report.duplicates + report.covered + report.zeroLength == 0) {
        return report;
    }
    // Every change is worked out before the first is made, so the step holds
    // all of them or, should one fail, rolls back to the drawing as it was.
    engine::Drawing::Step step(drawing, kCloseGapsTitle);
    for (const Line& line : lines) {
        if (line.erased) {
            drawing.setErased(line.handle, true);
        } else if (line.moved) {
            engine::Entity e = drawing.entity(line.handle);
            *engine::geomIf<engine::LineGeom>(e) = line.geom;
            drawing.replace(line.handle, std::move(e));
        }
    }
    vecad.Update();
    return report;
}

std::string healText(const HealReport& report) {
    std::string text =
        "Close Gaps: " + countText(report.endsMoved, "line end", "line ends") + " moved to meet";
    if (report.endsMoved > 0) {
        text += " (at most " + base::decimalText(report.largestMove) + ")";
    }
    text += "; removed " + countText(report.duplicates, "duplicate line", "duplicate lines") +
            ", " + countText(report.covered, "covered line", "covered lines") + ", " +
            countText(report.zeroLength, "line of no length", "lines of no length");
    if (report.groupsLeft > 0) {
        text += "; " + countText(report.groupsLeft, "group", "groups") +
                " of ends left as they were: they lie too far apart to meet";
    }
    return text + ".";
}

void closeGapsCommand(documents::DrawingWindow& window) {
    shell::MainWindow& main = window.main();
    std::optional<double> tolerance;
    while (!tolerance) {
        const std::string answer = main.ports.dialogs.inputBox(
            kClosePrompt, kCloseGapsTitle, base::decimalText(main.searchRadius));
        if (answer.empty()) {
            return;
        }
        const std::optional<double> value = base::parseNumber(answer);
        if (value && *value > 0 && std::isfinite(*value)) {
            tolerance = value;
        } else {
            main.ports.dialogs.messageBox(kToleranceRefusedText, ports::Buttons::Ok,
                                          ports::Icon::None, ports::kApplicationTitle);
        }
    }
    clearDeadEnd(window);
    main.showBusy();
    const HealReport report = closeGaps(window.Vecad1, *tolerance);
    main.showDefault();
    documents::reportLine(window, healText(report));
}

}  // namespace brondel::pathtools
