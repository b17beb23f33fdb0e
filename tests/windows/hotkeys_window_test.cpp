#include <gtest/gtest.h>

#include "tests/support/fake_ports.h"
#include "tests/support/files.h"
#include "windows/forms.h"
#include "windows/modal_input.h"

namespace brondel::windows {
namespace {

using testing::TestProgram;
using testing::writeFile;

// Keys other than Escape leaving the window open is the transcript of
// tests/scripts/hotkeys_window.
TEST(HotkeysWindow, ShowsTheFileUnchangedReadAfreshEachTime) {
    TestProgram program;
    const std::string text =
        "Menu  Command   Key\r\nEdit  Undo      Ctrl+Z\r\n\tTab and trailing  \n";
    writeFile(program.folder.file("hotkeys.txt"), text);
    program.main.click("mnuHelpHotkeys");
    ASSERT_TRUE(program.main.modal);
    EXPECT_EQ(program.main.modal->name, "frmHotkeys");
    EXPECT_EQ(program.main.modal->controls.at("txtHotkeys").text, text);
    EXPECT_TRUE(program.dialogs().calls.empty());
    modalKey(program.main, kKeyEnter);  // typing in the text box
    ASSERT_TRUE(program.main.modal);
    pressModalButton(program.main, "cmdQuit");
    EXPECT_FALSE(program.main.modal);

    writeFile(program.folder.file("hotkeys.txt"), "second");
    program.main.click("mnuHelpHotkeys");
    ASSERT_TRUE(program.main.modal);
    EXPECT_EQ(program.main.modal->controls.at("txtHotkeys").text, "second");
}

TEST(HotkeysWindow, MissingOrUnreadableFileWarnsAndOpensEmpty) {
    for (const bool asFolder : {false, true}) {
        TestProgram program;
        if (asFolder) {
            std::filesystem::create_directory(program.folder.file("hotkeys.txt"));
        }
        program.main.click("mnuHelpHotkeys");

        const auto messages = program.dialogs().messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text,
                  "Can't find the Hotkeys Text File (hotkeys.txt).  Sorry.\r\n"
                  "This file should be located in the same directory \r\n"
                  "where this application is installed");
        EXPECT_EQ(messages[0].title, "File Error");
        EXPECT_EQ(messages[0].icon, ports::Icon::Exclamation);
        EXPECT_EQ(messages[0].buttons, ports::Buttons::Ok);
        ASSERT_TRUE(program.main.modal);
        EXPECT_EQ(program.main.modal->controls.at("txtHotkeys").text, "");
    }
}

TEST(ModalInput, NeedsAnOpenWindowAndAKnownControl) {
    TestProgram program;
    EXPECT_THROW(modalKey(program.main, kKeyEscape), Error);
    EXPECT_THROW(pressModalButton(program.main, "cmdQuit"), Error);

    writeFile(program.folder.file("hotkeys.txt"), "x");
    program.main.click("mnuHelpHotkeys");
    EXPECT_THROW(pressModalButton(program.main, "cmdNothing"), Error);
    pressModalButton(program.main, "txtHotkeys");  // a text box is no button
    EXPECT_TRUE(program.main.modal);
}

}  // namespace
}  // namespace brondel::windows
