#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/entity.h"
#include "engine/vecad.h"
#include "shell/main_window.h"
#include "tests/support/fake_ports.h"

// A started program for driving the coordinate-file commands as a user would.
namespace brondel::testing {

struct Message {
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
};

inline void PrintTo(const Message& m, std::ostream* os) {
    *os << "[" << m.title << "] " << m.text;
}

class CommandTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return program.folder.file(name); }

    documents::DrawingWindow& newWindow() { return program.newDrawing(); }

    // The message boxes shown since the last call.
    std::vector<Message> takeMessages() {
        std::vector<Message> shown;
        std::erase_if(dialogs.calls, [&](const DialogCall& call) {
            if (call.kind != DialogCall::Kind::MessageBox) {
                return false;
            }
            shown.push_back({call.text, call.title});
            return true;
        });
        return shown;
    }
    std::vector<DialogCall> inputBoxes() const {
        return dialogs.ofKind(DialogCall::Kind::InputBox);
    }
    std::vector<ports::FileDialogSetup> fileDialogs() const {
        std::vector<ports::FileDialogSetup> setups;
        for (const DialogCall& call : dialogs.calls) {
            if (call.kind == DialogCall::Kind::OpenFile ||
                call.kind == DialogCall::Kind::SaveFile) {
                setups.push_back(call.setup);
            }
        }
        return setups;
    }

    TestProgram program;
    shell::MainWindow& main = program.main;
    ScriptedDialogs& dialogs = program.dialogs();
    FakePump& pump = program.fakes.pump;
};

// A line of a control as its two points in the plane and its layer.
struct DrawnLine {
    double x1, y1, x2, y2;
    std::string layer;
    bool operator==(const DrawnLine&) const = default;
};

inline void PrintTo(const DrawnLine& l, std::ostream* os) {
    *os << "(" << l.x1 << "," << l.y1 << ")-(" << l.x2 << "," << l.y2 << ") on " << l.layer;
}

// The control's lines in entity order.
inline std::vector<DrawnLine> drawnLines(const engine::Vecad& control) {
    std::vector<DrawnLine> lines;
    for (engine::Handle h = control.GetFirstEntity(); h != engine::kNoHandle;
         h = control.GetNextEntity(h)) {
        const engine::Entity& e = control.drawing().entity(h);
        if (const auto* line = engine::geomIf<engine::LineGeom>(e)) {
            lines.push_back({line->p1.x, line->p1.y, line->p2.x, line->p2.y, e.props().layer});
        }
    }
    return lines;
}

}  // namespace brondel::testing
