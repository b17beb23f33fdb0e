// Every tool of the command table, run through a scripted input sequence:
// one undo step named after it that undo takes back exactly and redo makes
// again, nothing left when it is cancelled midway, a preview while it runs.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "engine/commands.h"
#include "engine/shape.h"
#include "tests/engine/vecad_session.h"
#include "tests/support/fake_ports.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

// Changes: the drawing differs afterwards (moved, trimmed, copied…).
// Reports: says something and changes nothing.
enum class Effect { Adds, Erases, Changes, View, Selection, Reports };

struct Script {
    Effect effect;
    std::vector<std::string> steps;  // "p x y", "m x y", "r x y", "t text", "enter"
    std::size_t midway;              // steps run before the cancel is tried
    bool previews;                   // entities or a frame show at midway
    bool edges = false;              // the drawing also holds a polyline meeting the line
    int selected = 1;                // entities a selection tool selects
};

const std::map<int, Script>& scripts() {
    static const std::map<int, Script> s = {
        {106, {Effect::View, {"p 0 0", "p 10 10"}, 1, true}},
        {107, {Effect::View, {"p 0 0", "m 0 5", "r 0 5", "enter"}, 1, false}},
        {111, {Effect::View, {"p 0 0", "m 3 5", "r 3 5", "enter"}, 1, false}},
        {112, {Effect::View, {"p 3 3"}, 0, false}},
        {201, {Effect::Adds, {"p 1 1", "p 2 2", "enter"}, 1, true}},
        {205, {Effect::Adds, {"p 0 0", "p 10 0", "p 10 10", "enter"}, 2, true}},
        {206, {Effect::Adds, {"p 0 0", "p 10 5", "t @5<90", "enter"}, 2, true}},
        {207, {Effect::Adds, {"p 0 0", "p 10 5", "enter"}, 1, true}},
        {208, {Effect::Adds, {"p 0 0", "p 10 0", "p 10 10", "enter"}, 2, true}},
        {209,
         {Effect::Adds, {"p 0 0", "p 10 0", "t a", "p 10 10", "t L", "p 0 10", "t c"}, 3, true}},
        {210, {Effect::Adds, {"t 6", "p 0 0", "t \"\"", "p 5 0"}, 3, true}},
        {211, {Effect::Adds, {"p 0 0", "p 10 0", "t 4"}, 2, true}},
        {212, {Effect::Adds, {"p 0 0", "p 10 5"}, 1, true}},
        {221, {Effect::Adds, {"p 0 0", "t 5"}, 1, true}},
        {222, {Effect::Adds, {"p 0 0", "t 10"}, 1, true}},
        {223, {Effect::Adds, {"p 0 0", "p 10 0"}, 1, true}},
        {224, {Effect::Adds, {"p 0 0", "p 10 0", "t 8"}, 2, true}},
        {229, {Effect::Adds, {"p 10 0", "p 0 10", "p -10 0"}, 2, true}},
        {242, {Effect::Adds, {"p 0 0", "p 5 5", "p 10 0", "p 15 5", "enter"}, 3, true}},
        {245, {Effect::Adds, {"p 0 0", "t 2", "t 30", "t Hello"}, 1, true}},
        {246, {Effect::Adds, {"t ansi31", "t 2", "t 45", "p -15 15", "enter"}, 4, true}},
        {303, {Effect::Erases, {"p 5 -20", "enter"}, 1, false}},
        {304, {Effect::Selection, {"p 5 -20", "enter"}, 1, false}},
        {305, {Effect::Adds, {"p 30 30"}, 0, true}},  // what Cut (303) put on the clipboard
        {248, {Effect::Adds, {"p -12 15"}, 0, false}},
        {247, {Effect::Adds, {"p 0 0", "p 10 5", "p 15 5", "enter", "t Note"}, 2, true}},
        {290, {Effect::Adds, {"p 0 0", "p 10 0", "p 5 8"}, 2, true}},
        {291, {Effect::Adds, {"p 0 0", "p 10 5", "p 2 8"}, 2, true}},
        {292, {Effect::Adds, {"p 5 5", "p 5 15"}, 1, true}},
        {293, {Effect::Adds, {"p -12 15", "p -5 20"}, 1, true}},
        {294, {Effect::Adds, {"p -12 15", "p -5 20"}, 1, true}},
        {295, {Effect::Adds, {"p 5 -20", "p 35 5", "p 20 -15"}, 2, true}},
        {252, {Effect::Adds, {"t peg", "p 5 5", "t 2", "t 30"}, 2, true}},
        {253, {Effect::Adds, {"p 5 5", "t 20"}, 1, true}},
        {254, {Effect::Adds, {"p 5 5", "t 2", "t 30"}, 2, true}},
        {257, {Effect::Changes, {"p 5 -20", "enter", "t Part", "p 0 0"}, 3, false}},
        {311, {Effect::Erases, {"p 5 -20", "enter"}, 1, false}},
        {312, {Effect::Adds, {"p 5 -20", "enter", "p 0 0", "p 10 10", "t 20,0", "enter"}, 4, true}},
        {313, {Effect::Changes, {"p 5 -20", "enter", "p 0 0", "p 10 10"}, 3, true}},
        {314, {Effect::Changes, {"p 5 -20", "enter", "p 0 0", "t 30"}, 3, true}},
        {315, {Effect::Changes, {"p 5 -20", "enter", "p 0 0", "t 2"}, 3, true}},
        {316, {Effect::Adds, {"p 5 -20", "enter", "p 0 0", "p 10 10", "enter"}, 4, true}},
        {317, {Effect::Changes, {"t all", "enter"}, 1, false}},
        {318, {Effect::Changes, {"p 5 -20", "p 2 -22", "enter", "enter"}, 3, true, true}},
        {319, {Effect::Changes, {"enter", "p 9 -20", "enter"}, 2, true, true}},
        {320, {Effect::Changes, {"enter", "p 0.2 -17.4", "enter"}, 2, true, true}},
        {501, {Effect::Selection, {"p 5 -20", "enter"}, 1, false}},
        {502, {Effect::Selection, {"p -1 -21", "p 20 -19"}, 1, true}},
        {142, {Effect::Reports, {"p 5 -20"}, 0, false}},
        {503,
         {Effect::Selection, {"p -1 -21", "p 11 -21", "p 11 -19", "p -1 -19", "enter"}, 2, true}},
        {504, {Effect::Selection, {"p 5 -25", "p 5 -15", "enter"}, 1, true}},
        {505, {Effect::Selection, {"p -15 15", "t 3"}, 1, true}},
        {507, {Effect::Selection, {"h"}, 0, false}},
        {508, {Effect::Selection, {}, 0, false}},
        {509, {Effect::Selection, {"t *"}, 0, false, false, 0}},
        {510, {Effect::Selection, {"t acad", "enter"}, 1, false, false, 0}},
        {952, {Effect::Reports, {"p 0 0", "p 3 4"}, 1, true}},
        {953, {Effect::Reports, {"p 0 0", "p 4 0", "p 0 3", "enter"}, 2, true}},
        {954, {Effect::Changes, {"p 0 -20", "p 10 -20", "t 20"}, 1, true}},
        {955, {Effect::Reports, {}, 0, false}},
    };
    return s;
}

// A scripted step, or "h": the first entity's handle, typed.
void step(VecadSession& s, const std::string& text) {
    if (text == "h") {
        s.v.commandInput(std::to_string(s.v.drawing().firstLive()));
    } else {
        s.step(text);
    }
}

// What undo must give back exactly: every entity's handle, state, kind and
// extent, and the undo history's position.
std::string snapshot(const Vecad& v) {
    std::ostringstream out;
    out.precision(17);
    for (const Entity& e : v.drawing().entities()) {
        const Box2 b = boundingBox(e, v.drawing());
        out << e.handle << ' ' << e.erased << ' ' << static_cast<int>(e.type()) << ' ' << b.minX
            << ' ' << b.minY << ' ' << b.maxX << ' ' << b.maxY << ' ' << e.props().layer << '\n';
    }
    out << v.drawing().undoLabel() << '|' << v.drawing().canRedo();
    return out.str();
}

void start(VecadSession& s, int code) {
    s.v.AddLine(0, -20, 0, 10, -20, 0);                      // something to pick
    s.v.drawing().add(Entity(CircleGeom{{-15, 15, 0}, 3}));  // an area to hatch
    s.v.drawing().setBlock("PEG", Block{"PEG", {}, 0, {Entity(CircleGeom{{0, 0, 0}, 1})}});
    if (code == 317) {  // something to explode
        s.v.drawing().add(
            Entity(PolylineGeom{{{20, 0, 0, 0}, {30, 0, 0, 1}, {30, 10, 0, 0}}, true}));
    }
    if (code == 295) {
        s.v.AddLine(30, 0, 0, 40, 10, 0);  // at an angle to the first
    }
    if (code == 253) {  // a picture to insert
        static const brondel::testing::TempFolder folder;
        const std::string png = folder.file("picture.png");
        std::ofstream(png, std::ios::binary)
            << std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x10\0\0\0\x08", 24);
        s.heard.fileAnswer = png;
    }
    if (code == 254) {  // a drawing to refer to
        static const brondel::testing::TempFolder folder;
        const std::string dxf = folder.file("frame.dxf");
        std::ofstream(dxf) << "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n"
                              "5\n21\n5\n0\nENDSEC\n0\nEOF\n";
        s.heard.fileAnswer = dxf;
    }
    // Meets the line at its start, crosses it at x = 1.5, and its end points
    // at the circle: something to join, trim and extend.
    if (const auto found = scripts().find(code); found != scripts().end() && found->second.edges) {
        s.v.drawing().add(Entity(PolylineGeom{{{0, -20, 0, 0}, {3, -23, 0, 0}, {0, -17, 0, 0}}}));
    }
    s.v.Execute(code);
    ASSERT_TRUE(s.v.commandRunning()) << code;
}

TEST(ToolContract, EveryToolOfTheTableKeepsTheContract) {
    int tools = 0;
    for (const CommandRow& row : commandTable()) {
        if (!row.makeTool) {
            continue;
        }
        ++tools;
        SCOPED_TRACE(row.caption);
        const auto found = scripts().find(row.code);
        ASSERT_NE(found, scripts().end()) << "no script for tool " << row.code;
        const Script& script = found->second;
        if (script.steps.empty()) {  // acts at once: nothing to cancel midway
            VecadSession s;
            s.v.AddLine(0, -20, 0, 10, -20, 0);
            const std::string before = snapshot(s.v);
            const std::size_t said = s.v.commandHistory().size();
            s.v.Execute(row.code);
            EXPECT_FALSE(s.v.commandRunning());
            EXPECT_EQ(snapshot(s.v), before);
            EXPECT_GT(s.v.commandHistory().size(), said);
            EXPECT_EQ(s.v.SelCount(), script.effect == Effect::Selection ? script.selected : 0);
            continue;
        }

        // Cancelled midway: nothing in the drawing, nothing in the history.
        {
            VecadSession s;
            start(s, row.code);
            const std::string before = snapshot(s.v);
            for (std::size_t i = 0; i < script.midway; ++i) {
                step(s, script.steps[i]);
            }
            s.move(7, -4);
            EXPECT_TRUE(s.v.commandRunning());
            if (script.previews) {
                EXPECT_TRUE(s.v.preview().liveCount() > 0 || s.v.rubberBand().rectangle);
            }
            s.v.commandKey(27);
            EXPECT_FALSE(s.v.commandRunning());
            EXPECT_EQ(snapshot(s.v), before);
            EXPECT_EQ(s.v.preview().liveCount(), 0u);
        }

        // Run through: one step that undo takes back and redo makes again.
        VecadSession s;
        start(s, row.code);
        const std::string before = snapshot(s.v);
        const View viewBefore = s.v.view();
        for (const std::string& text : script.steps) {
            step(s, text);
        }
        EXPECT_FALSE(s.v.commandRunning());
        const std::string after = snapshot(s.v);
        switch (script.effect) {
            case Effect::Adds:
            case Effect::Erases:
            case Effect::Changes:
                EXPECT_EQ(s.v.drawing().undoLabel(), row.caption);
                if (script.effect == Effect::Changes) {
                    EXPECT_NE(after, before);
                } else {
                    EXPECT_EQ(s.entities() > 1, script.effect == Effect::Adds);
                }
                s.v.Execute(command::kUndo);
                EXPECT_EQ(snapshot(s.v).substr(0, before.rfind('\n')),
                          before.substr(0, before.rfind('\n')));
                s.v.Execute(command::kRedo);
                EXPECT_EQ(snapshot(s.v), after);
                break;
            case Effect::View:
                EXPECT_EQ(after, before);
                EXPECT_TRUE(s.v.view().center() != viewBefore.center() ||
                            s.v.view().scale() != viewBefore.scale());
                break;
            case Effect::Selection:
                EXPECT_EQ(after, before);
                EXPECT_EQ(s.v.SelCount(), script.selected);
                break;
            case Effect::Reports:
                EXPECT_EQ(after, before);
                EXPECT_EQ(s.v.SelCount(), 0);
                EXPECT_EQ(s.v.commandHistory().back().rfind(row.caption, 0), 0u);
                break;
        }
    }
    EXPECT_EQ(tools, static_cast<int>(scripts().size()));
}

}  // namespace
}  // namespace brondel::engine
