#include "windows/options_command.h"

#include <gtest/gtest.h>

#include "engine/cad.h"
#include "tests/support/fake_ports.h"

namespace brondel::windows {
namespace {

TEST(Options, BackupIsAskedAndCancelKeepsIt) {
    testing::TestProgram program;
    engine::CadPutKeepBackup(true);
    for (const auto& [answer, kept] :
         {std::pair{ports::Answer::No, false}, std::pair{ports::Answer::Cancel, false},
          std::pair{ports::Answer::Yes, true}}) {
        program.dialogs().answer(answer);
        program.main.click("mnuToolsOptions");
        EXPECT_EQ(engine::CadGetKeepBackup(), kept);
    }
    const testing::DialogCall asked = program.dialogs().messages().back();
    EXPECT_EQ(asked.text, kBackupQuestion);
    EXPECT_EQ(asked.title, kOptionsTitle);
    EXPECT_EQ(asked.buttons, ports::Buttons::YesNoCancel);
}

}  // namespace
}  // namespace brondel::windows
