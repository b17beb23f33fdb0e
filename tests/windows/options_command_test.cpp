#include "windows/options_command.h"

#include <gtest/gtest.h>

#include "documents/drawing_window.h"
#include "engine/cad.h"
#include "engine/commands.h"
#include "tests/support/fake_ports.h"

namespace brondel::windows {
namespace {

struct Settings {
    int background, cursor, pick, snap;
    bool backup;
    int autosave;
    bool operator==(const Settings&) const = default;
};

Settings current() {
    return {engine::CadGetBackground(),   engine::CadGetCursorSize(),
            engine::CadGetPickAperture(), engine::CadGetSnapAperture(),
            engine::CadGetKeepBackup(),   engine::CadGetAutosaveMinutes()};
}

void put(const Settings& s) {
    engine::CadPutBackground(s.background);
    engine::CadPutCursorSize(s.cursor);
    engine::CadPutPickAperture(s.pick);
    engine::CadPutSnapAperture(s.snap);
    engine::CadPutKeepBackup(s.backup);
    engine::CadPutAutosaveMinutes(s.autosave);
}

const Settings kFirst{0x202020, 100, 5, 5, true, 10};

// Each line typed into Options, from the menu, changes its setting or is
// refused with the reason and leaves every setting as it was.
TEST(Options, EachTypedLineSetsItsSettingOrIsRefused) {
    testing::TestProgram program;
    struct Row {
        const char* typed;
        const char* refusal;  // "" when applied
        Settings after;
    };
    const Row rows[] = {
        {"background 0,0,40", "", {0x000028, 100, 5, 5, true, 10}},
        {"background 255,255,255", "dark colour", kFirst},
        {"background 0,0,256", "from 0 to 255", kFirst},
        {"background 0,0", "R,G,B", kFirst},
        {"cursor 40", "", {0x202020, 40, 5, 5, true, 10}},
        {"cursor 5", "from 10 to 2000", kFirst},
        {"pick 3", "", {0x202020, 100, 3, 5, true, 10}},
        {"snap 12", "", {0x202020, 100, 5, 12, true, 10}},
        {"snap 0", "from 1 to 50", kFirst},
        {"backup off", "", {0x202020, 100, 5, 5, false, 10}},
        {"backup maybe", "on or off", kFirst},
        {"autosave 0", "", {0x202020, 100, 5, 5, true, 0}},
        {"autosave -1", "from 0 to 1440", kFirst},
        {"autosave 2x", "whole number", kFirst},
        {"colour red", "Not understood", kFirst},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        put(kFirst);
        program.dialogs().input(row.typed).input("");
        if (*row.refusal) {
            program.dialogs().answer(ports::Answer::Ok);
        }
        program.main.click("mnuToolsOptions");
        EXPECT_TRUE(program.dialogs().drained());
        EXPECT_EQ(current(), row.after);
        if (*row.refusal) {
            const std::string said = program.dialogs().messages().back().text;
            EXPECT_NE(said.find(row.refusal), std::string::npos) << said;
        }
    }
    put(kFirst);
}

TEST(Options, TheEngineCodeOpensTheSameOptionsAndTheCrosshairFollowsTheCursorSize) {
    testing::TestProgram program;
    documents::DrawingWindow& w = program.newDrawing();
    put(kFirst);
    program.dialogs().input("cursor 60").input("");
    w.Vecad1.Execute(engine::command::kOptions);
    EXPECT_TRUE(program.dialogs().drained());
    EXPECT_EQ(program.dialogs().ofKind(testing::DialogCall::Kind::InputBox).back().title,
              "Options");
    engine::CadSetCrossSize(25);  // a path tool waiting for a pick
    EXPECT_EQ(engine::CadGetCrosshairLength(), 15);
    engine::CadSetCrossSize(100);
    EXPECT_EQ(engine::CadGetCrosshairLength(), 60);
    put(kFirst);
}

}  // namespace
}  // namespace brondel::windows
