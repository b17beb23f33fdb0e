#include "pathtools/pick_handler.h"

#include <utility>

#include "base/error.h"
#include "base/error_messages.h"
#include "engine/cad.h"
#include "pathtools/line_arrays.h"
#include "pathtools/segmenting.h"
#include "pathtools/start_point.h"
#include "shell/main_window.h"

namespace brondel::pathtools {

namespace {

constexpr int kPromptPanel = 3;

struct ModeTool {
    bool shell::PickModes::*mode;
    ToolEnd (*tool)(Press&);
};

// The order in which one press serves the armed modes.
constexpr ModeTool kOrder[] = {
    {&shell::PickModes::startPoint, setStartPoint},
    {&shell::PickModes::explodeLine, explodeLine},
    {&shell::PickModes::explodeArc, explodeArc},
    {&shell::PickModes::polarArray, drawPolarArray},
    {&shell::PickModes::verticalArray, drawVerticalArray},
    {&shell::PickModes::horizontalArray, drawHorizontalArray},
};

}  // namespace

void handlePress(shell::MainWindow& main, engine::Vecad& vecad, engine::Point2 window,
                 engine::Point3 at) {
    Press press{main, vecad, window, at};
    try {
        for (const ModeTool& step : kOrder) {
            if (main.state.pickModes.*step.mode && step.tool(press) == ToolEnd::Ends) {
                return;
            }
        }
    } catch (const Error& failure) {
        showMessage(main, base::errorNumberMessage(failure));
    }
}

void setPrompt(shell::MainWindow& main, std::string text) {
    main.statusMain.set(kPromptPanel, std::move(text));
}

void showMessage(shell::MainWindow& main, const std::string& text) {
    main.ports.dialogs.messageBox(text, ports::Buttons::Ok, ports::Icon::None,
                                  ports::kApplicationTitle);
}

engine::Handle pickEntity(Press& press, bool& mode) {
    const engine::Handle h = press.vecad.GetPickedEntity();
    if (h == engine::kNoHandle) {
        showMessage(press.main, "Entity not selected, try again. ");
        mode = false;
        setPrompt(press.main, "");
        engine::CadSetCrossSize(kCrossNormal);
    }
    return h;
}

bool checkKind(Press& press, engine::Handle h, int type, const std::string& refusal, bool& mode) {
    if (press.vecad.EntityGetType(h) == type) {
        return true;
    }
    showMessage(press.main, refusal);
    press.vecad.SelClear();
    mode = false;
    setPrompt(press.main, "");
    return false;
}

}  // namespace brondel::pathtools
