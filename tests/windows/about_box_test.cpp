#include "windows/about_box.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/fake_ports.h"

namespace brondel::windows {
namespace {

using testing::TestProgram;

constexpr const char* kFirstKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSecondKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location";

// The box's captions, its closing by OK, Enter and Escape, and System Info
// starting the program the first key names are in the reviewed transcripts
// of tests/scripts/about_box and hotkeys_window.

// Without a usable first key the second names a folder that must hold
// MSINFO32.EXE; when nothing starts the user is told.
TEST(AboutBox, SystemInfoFallsBackToTheSecondKeyOrSaysItIsUnavailable) {
    struct Row {
        const char* name;
        std::string firstKey;  // "" for none
        bool secondKey, programThere, starts;
        bool started;
    };
    const Row rows[] = {
        {"second key, no program in its folder", "", true, false, true, false},
        {"second key with its program", "", true, true, true, true},
        {"first value too long to read", std::string(1025, 'x'), true, true, true, true},
        {"a program that does not start", "/nowhere/msinfo", false, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestProgram program;
        if (!row.firstKey.empty()) {
            program.fakes.registry.values[{kFirstKey, "PATH"}] = row.firstKey;
        }
        if (row.secondKey) {
            program.fakes.registry.values[{kSecondKey, "MSINFO"}] = program.folder.path().string();
        }
        if (row.programThere) {
            std::ofstream(program.folder.file("MSINFO32.EXE")) << "x";
        }
        program.fakes.launcher.succeeds = row.starts;
        StartSysInfo(program.main);
        if (row.started) {
            ASSERT_EQ(program.fakes.launcher.started.size(), 1u);
            EXPECT_EQ(program.fakes.launcher.started[0].program,
                      program.folder.file("MSINFO32.EXE"));
            EXPECT_TRUE(program.dialogs().messages().empty());
            continue;
        }
        if (row.starts) {
            EXPECT_TRUE(program.fakes.launcher.started.empty());  // nothing to start
        }
        ASSERT_EQ(program.dialogs().messages().size(), 1u);
        EXPECT_EQ(program.dialogs().messages()[0].text, kSysInfoUnavailable);
    }
}

TEST(GetKeyValue, DropsOneTerminatingZeroAndRejectsOversizedValues) {
    testing::FakeRegistry registry;
    std::string text = "stale";
    EXPECT_FALSE(GetKeyValue(registry, kHklm, "K", "V", text));
    EXPECT_EQ(text, "");

    registry.values[{"HKEY_LOCAL_MACHINE\\K", "with"}] = std::string("C:\\x\0", 5);
    registry.values[{"HKEY_LOCAL_MACHINE\\K", "without"}] = "C:\\x";
    registry.values[{"HKEY_LOCAL_MACHINE\\K", "full"}] = std::string(1023, 'a') + '\0';
    registry.values[{"HKEY_LOCAL_MACHINE\\K", "over"}] = std::string(1025, 'a');
    std::string with, without, full;
    EXPECT_TRUE(GetKeyValue(registry, kHklm, "K", "with", with));
    EXPECT_TRUE(GetKeyValue(registry, kHklm, "K", "without", without));
    EXPECT_EQ(with, "C:\\x");
    EXPECT_EQ(with, without);
    EXPECT_TRUE(GetKeyValue(registry, kHklm, "K", "full", full));
    EXPECT_EQ(full, std::string(1023, 'a'));
    EXPECT_FALSE(GetKeyValue(registry, kHklm, "K", "over", text));
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace brondel::windows
