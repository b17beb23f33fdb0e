#include "engine/cad.h"
#include "engine/commands.h"
#include "pathtools/pick_handler.h"
#include "shell/handler_registry.h"
#include "shell/main_window.h"

namespace brondel::shell {

namespace {

constexpr char kDiagonalPrompt[] = "Draw Diagonal Line Defining Array";

// The arming commands only arm their mode and tell the user what to pick;
// the tool runs at the next press in a drawing.
void armPicked(MainWindow& main, bool PickModes::*mode, const char* prompt) {
    main.state.pickModes.*mode = true;
    pathtools::setPrompt(main, prompt);
    engine::CadSetCrossSize(pathtools::kCrossWaiting);
}

// The array tools take the diagonal the user draws with the engine's line command.
// The program's prompt goes last: it stands over the line command's own.
void armDiagonal(MainWindow& main, bool PickModes::*mode) {
    main.state.pickModes.*mode = true;
    if (documents::DrawingWindow* window = main.active()) {
        window->Vecad1.Execute(engine::command::kDrawLine);
    }
    pathtools::setPrompt(main, kDiagonalPrompt);
}

}  // namespace

void registerPickToolHandlers(MainWindow& main) {
    main.drawingPressed = pathtools::handlePress;
    main.addHandler("mnuSetStart", [](MainWindow& m) {
        armPicked(m, &PickModes::startPoint, "Select First Entity ");
    });
    main.addHandler("mnuExplodeLine", [](MainWindow& m) {
        armPicked(m, &PickModes::explodeLine, "Select LINE to Explode");
    });
    main.addHandler("mnuExplodeArc", [](MainWindow& m) {
        armPicked(m, &PickModes::explodeArc, "Select ARC to Explode");
    });
    main.addHandler("DrawPolarArray", [](MainWindow& m) {
        m.state.pickModes.polarArray = true;
        engine::CadSetCrossSize(pathtools::kCrossWaiting);
    });
    main.addHandler("DrawVerticalArray",
                    [](MainWindow& m) { armDiagonal(m, &PickModes::verticalArray); });
    main.addHandler("DrawHorizontalArray",
                    [](MainWindow& m) { armDiagonal(m, &PickModes::horizontalArray); });
}

}  // namespace brondel::shell
