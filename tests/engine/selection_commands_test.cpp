// The selection commands on a small drawing whose answers are worked out by
// hand: what each selects, and that it says how many it found.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "engine/commands.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

// L1 line (0,0)-(10,0); C1 circle (20,0) r 2; A1 arc about (0,20) r 5 from
// 0 to 90 degrees; P1 square (30,30)-(34,34) on layer "parts"; T1 text
// "Hello World" at (0,-10); M1 multi-line text "Part" / "No. 7" at
// (20,-10); PT point (5,5); R1 ray from (50,50) along +x. L1 and C1 carry
// extended data.
struct Sample {
    VecadSession s;
    std::map<std::string, Handle> named;

    Sample() {
        Drawing& d = s.v.drawing();
        d.addLayer(Layer{"parts"});
        Entity line(LineGeom{{0, 0, 0}, {10, 0, 0}});
        line.setXData(XDataPtr(XData{{"BRONDEL_CAM", {{1000, "drill"}, {1070, "5"}}}}));
        named["L1"] = d.add(line);
        Entity circle(CircleGeom{{20, 0, 0}, 2});
        circle.setXData(XDataPtr(XData{{"OTHER", {{1040, "2.5"}}}}));
        named["C1"] = d.add(circle);
        named["A1"] = d.add(Entity(ArcGeom{{0, 20, 0}, 5, 0, kPi / 2}));
        const PolylineGeom square{
            .vertices = {{30, 30, 0, 0}, {34, 30, 0, 0}, {34, 34, 0, 0}, {30, 34, 0, 0}},
            .closed = true};
        named["P1"] = d.add(Entity(square, {.layer = "parts"}));
        named["T1"] = d.add(Entity(TextGeom{.text = "Hello World", .p = {0, -10, 0}, .height = 2}));
        named["M1"] =
            d.add(Entity(MTextGeom{.text = "{\\fArial|b1;Part}\\PNo. 7", .p = {20, -10, 0}}));
        named["PT"] = d.add(Entity(PointGeom{{5, 5, 0}}));
        named["R1"] = d.add(Entity(InfiniteLineGeom{{50, 50, 0}, {1, 0, 0}, true}));
    }

    // "#L1" types L1's handle in decimal, "$C1" in hexadecimal as 0x...
    std::string expand(std::string text) const {
        for (const auto& [name, h] : named) {
            std::ostringstream hex;
            hex << "0x" << std::hex << std::uppercase << h;
            for (const auto& [mark, value] :
                 {std::pair{"#" + name, std::to_string(h)}, std::pair{"$" + name, hex.str()}}) {
                for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
                    text.replace(at, mark.size(), value);
                }
            }
        }
        return text;
    }

    void run(const std::vector<std::string>& steps) {
        for (const std::string& step : steps) {
            s.step(expand(step));
        }
    }

    std::string selected() const {
        std::string names;
        for (const auto& [name, h] : named) {
            if (s.v.isSelected(h)) {
                names += (names.empty() ? "" : " ") + name;
            }
        }
        return names;
    }
};

struct Case {
    int code;
    std::vector<std::string> steps;
    const char* selected;  // names in alphabetical order
};

TEST(SelectionCommands, SelectWhatTheHandWorkedAnswersSay) {
    const Case cases[] = {
        // Window polygon: wholly inside; a notch that cuts L1 keeps it out,
        // unless crossing.
        {503, {"p -1 -1", "p 11 -1", "p 11 1", "p -1 1", "enter"}, "L1"},
        {503, {"p -1 -1", "p 11 -1", "p 11 1", "p 5 -0.5", "p -1 1", "enter"}, ""},
        {503, {"t c", "p -1 -1", "p 11 -1", "p 11 1", "p 5 -0.5", "p -1 1", "enter"}, "L1"},
        {503, {"p 17 -1", "p 19 -1", "p 19 1", "p 17 1", "enter"}, ""},
        {503, {"p 17 -1", "t C", "p 19 -1", "p 19 1", "p 17 1", "enter"}, "C1"},
        // A window around everything but the ray, which has no end.
        {503, {"p -50 -50", "p 60 -50", "p 60 60", "p -50 60", "enter"}, "A1 C1 L1 M1 P1 PT T1"},
        {503, {"t c", "t w", "p 29 29", "p 35 29", "p 35 35", "p 29 35", "enter"}, "P1"},
        // Fences: a crossing of L1 and A1 (at (4,23)), of C1, of the ray.
        {504, {"p 4 -1", "p 4 30", "enter"}, "A1 L1"},
        {504, {"p 15 -5", "p 25 5", "p 25 40", "enter"}, "C1"},
        {504, {"p 60 40", "p 60 60", "enter"}, "R1"},
        {504, {"p 40 40", "p 45 45", "enter"}, ""},
        {504, {"p 3 -7", "p 3 -13", "enter"}, "T1"},
        // Circles: the rim counts; an arc by its farthest point.
        {505, {"p 20 0", "t 2"}, "C1"},
        {505, {"p 20 0", "t 1.9"}, ""},
        {505, {"p 5 0", "p 10 0"}, "L1 PT"},
        {505, {"p 0 20", "t 5"}, "A1"},
        {505, {"p -1 19", "t 6.2"}, ""},  // its ends lie within, its middle not
        {505, {"p -1 19", "t 6.5"}, "A1"},
        // Handles in decimal and hexadecimal; an unknown one is skipped.
        {507, {"t #L1 99999999 $C1"}, "C1 L1"},
        {507, {"t zz"}, ""},
        {508, {}, "L1 C1"},  // set below: the current layer is 0
        {509, {"t hello*"}, "T1"},
        {509, {"t *no. ?"}, "M1"},
        {509, {"t part*7"}, "M1"},
        {509, {"t h?llo world"}, "T1"},
        {509, {"t hello"}, ""},
        {510, {"t brondel_cam", "enter"}, "L1"},
        {510, {"t BRONDEL_CAM", "t 5.0"}, "L1"},
        {510, {"t other", "t 2.5"}, "C1"},
        {510, {"t other", "t 3"}, ""},
    };
    for (const Case& c : cases) {
        Sample sample;
        std::ostringstream trace;
        trace << c.code;
        for (const std::string& step : c.steps) {
            trace << " | " << step;
        }
        SCOPED_TRACE(trace.str());
        std::string expected = c.selected;
        if (c.code == 508) {
            sample.s.v.drawing().setCurrentLayer("parts");
            expected = "P1";
        }
        sample.s.v.Execute(c.code);
        sample.run(c.steps);
        EXPECT_FALSE(sample.s.v.commandRunning());
        EXPECT_EQ(sample.selected(), expected);
        const std::size_t count = static_cast<std::size_t>(sample.s.v.SelCount());
        const std::string said = sample.s.v.commandHistory().back();
        const std::string name = commandName(c.code);
        EXPECT_EQ(said, name.substr(0, name.find(" (")) + ": " + std::to_string(count) +
                            (count == 1 ? " entity found" : " entities found"));
    }
}

TEST(SelectionCommands, RefuseWhatCannotSelect) {
    Sample sample;
    sample.s.v.Execute(507);
    sample.run({"t 99999999 #L1"});
    const auto& history = sample.s.v.commandHistory();
    ASSERT_GE(history.size(), 2u);
    EXPECT_EQ(history[history.size() - 2], "Select By ID: no entity has the handle 99999999");

    sample.s.v.Execute(503);
    sample.run({"p 0 0", "p 1 1", "enter"});
    EXPECT_TRUE(sample.s.v.commandRunning());
    EXPECT_EQ(sample.s.v.commandHistory().back(),
              "Select By Polygon: at least 3 points are needed");
    sample.s.v.commandKey(27);

    sample.s.v.Execute(505);
    sample.run({"p 0 0", "t 0"});
    EXPECT_TRUE(sample.s.v.commandRunning());
    sample.s.v.commandKey(27);
}

}  // namespace
}  // namespace brondel::engine
