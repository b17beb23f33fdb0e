#include "pathtools/segmenting.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "base/numbers.h"
#include "engine/cad.h"
#include "shell/main_window.h"
#include "shell/progress_scope.h"

namespace brondel::pathtools {

namespace {

constexpr int kLineType = engine::code(engine::EntityType::Line);
constexpr int kArcType = engine::code(engine::EntityType::Arc);
constexpr int kLineLimit = 100;
constexpr int kArcLimit = 360;
constexpr char kCountTitle[] = "Explode ARC into Segments";

// Asks for the segment count until the answer is valid; nothing when the
// user cancels.
std::optional<int> askCount(shell::MainWindow& main, int limit) {
    const std::string max = std::to_string(limit);
    for (;;) {
        const std::string answer = main.ports.dialogs.inputBox(
            "Enter number of segments desired, Maximum Value = " + max + " ", kCountTitle, "");
        if (answer.empty()) {
            return std::nullopt;
        }
        if (const std::optional<int> n = base::readCount(answer, limit)) {
            return n;
        }
        showMessage(
            main,
            "Invalid entry, Number of Segments must be greater than 0 and not more than " + max);
    }
}

void cancelCount(Press& press, bool& mode) {
    press.vecad.SelClear();
    mode = false;
    setPrompt(press.main, "");
}

// Adds the chain through the points at z = 0, then removes the entity it replaces.
void replaceByChain(Press& press, engine::Handle replaced,
                    const std::vector<engine::Point2>& points) {
    engine::Vecad& vecad = press.vecad;
    shell::ProgressScope progress(press.main, kExplodingTask,
                                  static_cast<std::int64_t>(points.size()) - 1);
    engine::Drawing::Step step(vecad.drawing(), "Explode into Segments");
    for (std::size_t i = 1; i < points.size(); ++i) {
        vecad.AddLine(points[i - 1].x, points[i - 1].y, 0, points[i].x, points[i].y, 0);
        progress.step();
    }
    vecad.EntityErase(replaced, true);
    vecad.Purge(3);
    vecad.Update();
}

}  // namespace

std::vector<engine::Point2> arcChordPoints(engine::Point2 center, double radius, double startAngle,
                                           double angle, int n) {
    std::vector<engine::Point2> points;
    points.reserve(static_cast<std::size_t>(n) + 1);
    points.push_back(
        {center.x + radius * std::cos(startAngle), center.y + radius * std::sin(startAngle)});
    const double step = angle / n;
    for (int i = 1; i <= n; ++i) {
        const double a = startAngle + i * step;
        points.push_back({center.x + radius * std::cos(a), center.y + radius * std::sin(a)});
    }
    return points;
}

std::vector<engine::Point2> lineDivisionPoints(engine::Point2 p1, engine::Point2 p2, int n) {
    std::vector<engine::Point2> points;
    points.reserve(static_cast<std::size_t>(n) + 1);
    points.push_back(p1);
    const double dx = (p1.x - p2.x) / n;
    const double dy = (p1.y - p2.y) / n;
    for (int i = 1; i <= n; ++i) {
        points.push_back({p1.x - i * dx, p1.y - i * dy});
    }
    return points;
}

ToolEnd explodeLine(Press& press) {
    bool& mode = press.main.state.pickModes.explodeLine;
    const engine::Handle line = pickEntity(press, mode);
    if (line == engine::kNoHandle ||
        !checkKind(press, line, kLineType,
                   "Selected entity is not a LINE, select a different entity", mode)) {
        return ToolEnd::Ends;
    }
    double x1, y1, z1, x2, y2, z2;
    engine::CadLineGetPoint1(line, x1, y1, z1);
    engine::CadLineGetPoint2(line, x2, y2, z2);
    const std::optional<int> n = askCount(press.main, kLineLimit);
    if (!n) {
        cancelCount(press, mode);
        return ToolEnd::Ends;
    }
    replaceByChain(press, line, lineDivisionPoints({x1, y1}, {x2, y2}, *n));
    setPrompt(press.main, "");
    mode = false;
    engine::CadSetCrossSize(kCrossNormal);
    return ToolEnd::PassesOn;
}

ToolEnd explodeArc(Press& press) {
    bool& mode = press.main.state.pickModes.explodeArc;
    const engine::Handle arc = pickEntity(press, mode);
    if (arc == engine::kNoHandle ||
        !checkKind(press, arc, kArcType, "Selected entity is not a ARC, select a different entity",
                   mode)) {
        return ToolEnd::Ends;
    }
    const double radius = engine::CadArcGetRadius(arc);
    const double angle = engine::CadArcGetAngle(arc);
    double cx, cy, cz;
    engine::CadArcGetCenter(arc, cx, cy, cz);
    const double startAngle = engine::CadArcGetStartAngle(arc);
    const std::optional<int> n = askCount(press.main, kArcLimit);
    if (!n) {
        cancelCount(press, mode);
        return ToolEnd::Ends;
    }
    replaceByChain(press, arc, arcChordPoints({cx, cy}, radius, startAngle, angle, *n));
    setPrompt(press.main, "ARC Conversion Complete");
    mode = false;
    engine::CadSetCrossSize(kCrossNormal);
    return ToolEnd::PassesOn;
}

}  // namespace brondel::pathtools
