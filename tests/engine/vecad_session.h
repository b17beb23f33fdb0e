#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "engine/vecad.h"

namespace brondel::engine::testing {

// Everything a control tells its listener, kept for the tests to look at.
struct RecordingListener : VecadListener {
    std::vector<std::string> prompts, lines, notices;
    int viewChanges = 0, rubberBandChanges = 0;

    void viewChanged() override { ++viewChanges; }
    void notice(const std::string& text) override { notices.push_back(text); }
    void promptChanged(const std::string& prompt) override { prompts.push_back(prompt); }
    void rubberBandChanged() override { ++rubberBandChanges; }
    void commandLineAdded(const std::string& line) override { lines.push_back(line); }
    // What the open dialog answers when a command asks for a file.
    std::string fileAnswer;
    std::string fileRequested(const FileChoice&) override { return fileAnswer; }
};

// A control with 0.1 drawing units per pixel around the origin, driven at
// drawing points through the view transform as a window would drive it.
struct VecadSession {
    VecadSession() {
        v.view().set({0, 0}, 0.1);
        v.setListener(&heard);
    }
    Point2 window(double x, double y) const { return v.view().toWindow(x, y); }
    bool press(double x, double y, bool right = false) {
        const Point2 w = window(x, y);
        return v.pressAt(w.x, w.y, right);
    }
    void move(double x, double y) {
        const Point2 w = window(x, y);
        v.cursorAt(w.x, w.y);
    }
    void release(double x, double y) {
        const Point2 w = window(x, y);
        v.releaseAt(w.x, w.y);
    }
    // One scripted step: "p x y", "m x y" and "r x y" press, move and
    // release at a drawing point, "t text" types a line ("t \"\"" an empty
    // one), "enter" presses Enter.
    void step(const std::string& text) {
        std::istringstream in(text);
        std::string verb;
        double x = 0, y = 0;
        in >> verb >> x >> y;
        if (verb == "t") {
            const std::string typed = text.substr(2);
            v.commandInput(typed == "\"\"" ? std::string() : typed);
        } else if (verb == "enter") {
            v.commandKey(13);
        } else if (verb == "m") {
            move(x, y);
        } else if (verb == "r") {
            release(x, y);
        } else {
            press(x, y);
        }
    }
    void run(const std::vector<std::string>& steps) {
        for (const std::string& text : steps) {
            step(text);
        }
    }
    void selectAll() {
        for (const Entity& e : v.drawing().entities()) {
            if (!e.erased) {
                v.SelectEntity(e.handle, true);
            }
        }
    }
    int entities() const { return v.GetNumEntities(); }

    Vecad v;
    RecordingListener heard;
};

}  // namespace brondel::engine::testing
