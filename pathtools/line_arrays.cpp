#include "pathtools/line_arrays.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/numbers.h"
#include "engine/cad.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

namespace {

constexpr char kKeepQuestion[] = "YES to accept \rNO to delete ";
constexpr double kRadiansPerDegree = 0.0174532925;
constexpr int kMaxDegrees = 90;
// The array's lines are counted in 16 bits.
constexpr double kMaxLineCount = 32767;

bool keepAnswered(shell::MainWindow& main, const char* title) {
    return main.ports.dialogs.messageBox(kKeepQuestion, ports::Buttons::YesNo, ports::Icon::None,
                                         title) != ports::Answer::No;
}

void abandon(bool& mode) {
    mode = false;
    engine::CadSetCrossSize(kCrossNormal);
}

struct PolarAnswers {
    double length = 0;
    int degrees = 0;
};

// Both prompts, asked again from the length on any refusal; false when the
// user cancels either.
bool askPolar(shell::MainWindow& main, const std::string& defaultLength, PolarAnswers& out) {
    ports::Dialogs& dialogs = main.ports.dialogs;
    for (;;) {
        const std::string length = dialogs.inputBox("Enter the desired arrary segment length",
                                                    "Array Segment Length", defaultLength);
        if (length.empty()) {
            return false;
        }
        out.length = base::numericPrefix(length);
        if (out.length <= 0) {
            showMessage(main, "Error, value entered must be a number greater than zero");
            continue;
        }
        const std::string step = dialogs.inputBox(
            "Enter the degrees of separation of the arrary segments", "Array Degree Value", "10");
        if (step.empty()) {
            return false;
        }
        const double degrees = base::numericPrefix(step);
        if (degrees < 1 || degrees > kMaxDegrees) {
            showMessage(main, "Error, Values must be between 1 and 90 degrees");
            continue;
        }
        out.degrees = static_cast<int>(base::roundHalfEven(degrees));
        return true;
    }
}

// The separation, or 0 when the user cancels.
double askSeparation(shell::MainWindow& main, int limit) {
    for (;;) {
        const std::string answer = main.ports.dialogs.inputBox(
            "Enter separation amount between each arrary segments", "Separation Value", "1");
        if (answer.empty()) {
            return 0;
        }
        const double separation = base::numericPrefix(answer);
        if (separation > 0 && separation <= limit) {
            return separation;
        }
        showMessage(main,
                    "Error, Increment value must be greater than 0 and less than or equal to " +
                        std::to_string(limit));
    }
}

enum class Direction { Vertical, Horizontal };

ToolEnd drawParallelArray(Press& press, Direction direction) {
    const bool vertical = direction == Direction::Vertical;
    shell::PickModes& modes = press.main.state.pickModes;
    bool& mode = vertical ? modes.verticalArray : modes.horizontalArray;
    engine::Vecad& vecad = press.vecad;

    const engine::Handle diagonal = vecad.GetEntityAtPoint(press.window.x, press.window.y);
    if (diagonal == engine::kNoHandle) {
        showMessage(press.main, "Error, Diagonal defining line not selected ");
        setPrompt(press.main, "");
        mode = false;
        return ToolEnd::Ends;
    }
    double x1, y1, z1, x2, y2, z2;
    engine::CadLineGetPoint1(diagonal, x1, y1, z1);
    engine::CadLineGetPoint2(diagonal, x2, y2, z2);
    const double separation = askSeparation(press.main, vertical ? 10 : 100);
    if (separation == 0) {
        abandon(mode);
        return ToolEnd::Ends;
    }
    // Across the lines' direction: x for vertical lines, y for horizontal ones.
    const double from = vertical ? x1 : y1;
    const double to = vertical ? x2 : y2;
    const double count = base::roundHalfEven(std::abs(to - from) / separation);
    if (!(count <= kMaxLineCount)) {
        // Refused before anything changes: the diagonal stays for another try.
        throw Error(err::kOverflow);
    }
    const int n = static_cast<int>(count);

    engine::Drawing::Step step(vecad.drawing(),
                               vertical ? "Draw Vertical Array" : "Draw Horizontal Array");
    vecad.EntityErase(diagonal, true);
    std::vector<engine::Handle> lines;
    lines.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double offset = i * separation;
        const double at = base::roundToSingle(from < to ? from + offset : from - offset);
        lines.push_back(vertical ? vecad.AddLine(at, y1, 0, at, y2, 0)
                                 : vecad.AddLine(x1, at, 0, x2, at, 0));
    }
    vecad.Update();
    if (!keepAnswered(press.main, vertical ? "Vertical Array" : "Horizontal Array")) {
        for (const engine::Handle h : lines) {
            vecad.EntityErase(h, true);
        }
    }
    vecad.Purge(3);
    mode = false;
    vecad.Update();
    return vertical ? ToolEnd::PassesOn : ToolEnd::Ends;
}

}  // namespace

ToolEnd drawPolarArray(Press& press) {
    bool& mode = press.main.state.pickModes.polarArray;
    engine::Vecad& vecad = press.vecad;
    const double width =
        base::roundToCoordinate(std::abs(vecad.ViewGetRight() - vecad.ViewGetLeft()));
    engine::CadSetCrossSize(kCrossWaiting);

    engine::Drawing::Step step(vecad.drawing(), "Draw Polar Array");
    const engine::Handle centre = vecad.AddPoint(press.at.x, press.at.y, press.at.z);
    if (centre == engine::kNoHandle) {
        showMessage(press.main, "Starting point not selected, try again. ");
        abandon(mode);
        return ToolEnd::Ends;
    }
    const double xp = press.at.x;
    const double yp = press.at.y;
    PolarAnswers answers;
    if (!askPolar(press.main, base::coordinateText(width), answers)) {
        abandon(mode);
        return ToolEnd::Ends;
    }

    // Four lines per angle, one into each quadrant, kept by angle and quadrant.
    std::array<std::array<engine::Handle, 4>, kMaxDegrees + 2> table{};
    for (int k = 0; k <= kMaxDegrees; k += answers.degrees) {
        const double a = k * kRadiansPerDegree;
        const double dx = base::roundToSingle(answers.length * std::cos(a));
        const double dy = base::roundToSingle(answers.length * std::sin(a));
        table[k][0] = vecad.AddLine(xp, yp, 0, xp + dx, yp + dy, 0);
        table[k][1] = vecad.AddLine(xp, yp, 0, xp - dx, yp + dy, 0);
        table[k][2] = vecad.AddLine(xp, yp, 0, xp - dx, yp - dy, 0);
        table[k][3] = vecad.AddLine(xp, yp, 0, xp + dx, yp - dy, 0);
    }
    vecad.Update();
    if (!keepAnswered(press.main, "Polar Array")) {
        for (int k = 0; k <= kMaxDegrees; k += answers.degrees) {
            for (const engine::Handle h : table[k]) {
                vecad.EntityErase(h, true);
            }
        }
        vecad.EntityErase(centre, true);
    }
    vecad.Purge(3);
    mode = false;
    vecad.Update();
    engine::CadSetCrossSize(kCrossNormal);
    return ToolEnd::PassesOn;
}

ToolEnd drawVerticalArray(Press& press) {
    return drawParallelArray(press, Direction::Vertical);
}

ToolEnd drawHorizontalArray(Press& press) {
    return drawParallelArray(press, Direction::Horizontal);
}

}  // namespace brondel::pathtools
