#include "pathtools/start_point.h"

#include <cmath>

#include "engine/cad.h"
#include "pathtools/reverse_line.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

namespace {

constexpr char kDirectionQuestion[] =
    "Red line points to Starting point\r\rYES to accept direction \rNO to reverse cut "
    "direction \rCancel to abort ";
constexpr char kDirectionTitle[] = "Set Cutting Direction";
constexpr int kRed = 1;
// Added to a vertical line's second x so that its angle needs no division by zero.
constexpr double kVerticalNudge = 0.00001;

// Adds the marker at the line's first point, turned along the line.
engine::Handle addMarker(engine::Vecad& vecad, engine::Handle line, double height) {
    double x1, y1, z1, x2, y2, z2;
    engine::CadLineGetPoint1(line, x1, y1, z1);
    engine::CadLineGetPoint2(line, x2, y2, z2);
    if (x1 - x2 == 0) {
        x2 += kVerticalNudge;
    }
    const double angle = std::atan((y1 - y2) / (x1 - x2));
    const engine::Handle marker = vecad.AddText("|", x1, y1, z1, 1, height, 1.0, angle, 0);
    vecad.EntityPutColor(marker, kRed);
    return marker;
}

void removeMarker(engine::Vecad& vecad, engine::Handle marker) {
    vecad.EntityErase(marker, true);
    vecad.Purge(3);
    vecad.Update();
}

}  // namespace

ToolEnd setStartPoint(Press& press) {
    shell::AppState& state = press.main.state;
    bool& mode = state.pickModes.startPoint;
    engine::Vecad& vecad = press.vecad;
    const engine::Handle line = pickEntity(press, mode);
    if (line == engine::kNoHandle) {
        return ToolEnd::Ends;
    }
    engine::Drawing::Step step(vecad.drawing(), "Set Starting Point");
    const double height = (vecad.ViewGetRight() - vecad.ViewGetLeft()) * 0.05;
    for (;;) {
        state.startMarker = addMarker(vecad, line, height);
        vecad.Update();
        vecad.SelectEntity(line, true);
        const ports::Answer answer = press.main.ports.dialogs.messageBox(
            kDirectionQuestion, ports::Buttons::YesNoCancel, ports::Icon::None, kDirectionTitle);
        if (answer == ports::Answer::No) {
            reverseLine(vecad, line);
            removeMarker(vecad, state.startMarker);
            vecad.SelectEntity(line, true);
            continue;
        }
        if (answer == ports::Answer::Cancel) {
            removeMarker(vecad, state.startMarker);
            mode = false;
            setPrompt(press.main, "");
            engine::CadSetCrossSize(kCrossNormal);
            return ToolEnd::Ends;
        }
        vecad.Update();
        mode = false;
        state.startEntity = line;
        setPrompt(press.main, "");
        engine::CadSetCrossSize(kCrossNormal);
        return ToolEnd::PassesOn;
    }
}

}  // namespace brondel::pathtools
