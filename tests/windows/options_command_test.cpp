#include "windows/options_command.h"

#include <gtest/gtest.h>

#include "documents/drawing_window.h"
#include "engine/cad.h"
#include "engine/commands.h"
#include "tests/support/fake_ports.h"

namespace brondel::windows {
namespace {

TEST(Options, BackupAndAutosaveAreAskedAndCancelKeepsThem) {
    testing::TestProgram program;
    engine::CadPutKeepBackup(true);
    engine::CadPutAutosaveMinutes(10);
    struct Case {
        ports::Answer backup;
        const char* minutes;  // nullptr: not asked
        bool keptBackup;
        int keptMinutes;
    };
    for (const Case& c :
         {Case{ports::Answer::No, "5", false, 5}, Case{ports::Answer::Cancel, nullptr, false, 5},
          Case{ports::Answer::Yes, "", true, 5}, Case{ports::Answer::Yes, "-1", true, 5},
          Case{ports::Answer::Yes, "2x", true, 5}, Case{ports::Answer::Yes, "0", true, 0}}) {
        program.dialogs().answer(c.backup);
        if (c.minutes) {
            program.dialogs().input(c.minutes);
        }
        program.main.click("mnuToolsOptions");
        EXPECT_EQ(engine::CadGetKeepBackup(), c.keptBackup);
        EXPECT_EQ(engine::CadGetAutosaveMinutes(), c.keptMinutes) << c.minutes;
    }
    EXPECT_TRUE(program.dialogs().drained());
    const testing::DialogCall asked = program.dialogs().messages().back();
    EXPECT_EQ(asked.text, kBackupQuestion);
    EXPECT_EQ(asked.title, kOptionsTitle);
    EXPECT_EQ(asked.buttons, ports::Buttons::YesNoCancel);
    const auto inputs = program.dialogs().ofKind(testing::DialogCall::Kind::InputBox);
    EXPECT_EQ(inputs.back().text, kAutosavePrompt);
    EXPECT_EQ(inputs.back().defaultText, "5");
    engine::CadPutAutosaveMinutes(10);
}

TEST(Options, TheEngineCodeOpensTheSameOptions) {
    testing::TestProgram program;
    documents::DrawingWindow& w = program.newDrawing();
    engine::CadPutKeepBackup(true);
    engine::CadPutAutosaveMinutes(10);
    program.dialogs().answer(ports::Answer::No).input("7");
    w.Vecad1.Execute(engine::command::kOptions);
    EXPECT_TRUE(program.dialogs().drained());
    EXPECT_EQ(program.dialogs().messages().back().text, kBackupQuestion);
    EXPECT_FALSE(engine::CadGetKeepBackup());
    EXPECT_EQ(engine::CadGetAutosaveMinutes(), 7);
    engine::CadPutKeepBackup(true);
    engine::CadPutAutosaveMinutes(10);
}

}  // namespace
}  // namespace brondel::windows
