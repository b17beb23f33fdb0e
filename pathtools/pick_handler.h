#pragma once

#include <string>

#include "engine/geometry.h"
#include "engine/vecad.h"

namespace brondel::shell {
class MainWindow;
}

// The tools that wait for one press in a drawing: a menu command arms a
// pick mode, and the next press in any drawing window serves every armed
// mode in a fixed order.
namespace brondel::pathtools {

// The press being served.
struct Press {
    shell::MainWindow& main;
    engine::Vecad& vecad;   // the pressed window's drawing
    engine::Point2 window;  // pixels
    engine::Point3 at;      // drawing units
};

// How a tool leaves the handling: stop here, or let the next armed mode
// serve the same press.
enum class ToolEnd { Ends, PassesOn };

// Serves one press: runs the armed tools in order. A failure shows its
// number and description and leaves the modes as they stood, so the next
// press tries again.
void handlePress(shell::MainWindow& main, engine::Vecad& vecad, engine::Point2 window,
                 engine::Point3 at);

// What the tools share.
constexpr int kCrossWaiting = 25;  // cursor cross while a pick is awaited
constexpr int kCrossNormal = 100;

void setPrompt(shell::MainWindow& main, std::string text);
void showMessage(shell::MainWindow& main, const std::string& text);

// The entity the press picked. When there is none: tells the user, disarms
// the mode, empties the prompt, restores the cross and returns kNoHandle.
engine::Handle pickEntity(Press& press, bool& mode);

// Whether the picked entity is of the kind the tool needs. When it is not:
// tells the user, clears the selection, disarms the mode and empties the
// prompt; the cross stays as it is.
bool checkKind(Press& press, engine::Handle h, int type, const std::string& refusal, bool& mode);

}  // namespace brondel::pathtools
