#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "ports/linux_registry.h"
#include "ports/system_launcher.h"
#include "tests/support/fake_ports.h"

namespace brondel::ports {
namespace {

void makeProgram(const std::string& path, bool executable = true) {
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), executable ? 0755 : 0644);
}

TEST(LinuxRegistry, NamesTheFirstSystemInformationProgramOnThePath) {
    testing::TempFolder first, second;
    makeProgram(first.file("kinfocenter"));
    makeProgram(second.file("gnome-system-monitor"));
    makeProgram(first.file("hardinfo"), false);  // not executable: skipped

    LinuxRegistry registry(first.path().string() + "::" + second.path().string());
    EXPECT_EQ(registry.value(LinuxRegistry::kSysInfoKey, "PATH"),
              second.file("gnome-system-monitor"));
    EXPECT_EQ(registry.value(LinuxRegistry::kSysInfoKey, "Other"), std::nullopt);
    EXPECT_EQ(
        registry.value("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"),
        std::nullopt);

    LinuxRegistry empty(first.path().string() + "/missing");
    EXPECT_EQ(empty.value(LinuxRegistry::kSysInfoKey, "PATH"), std::nullopt);
}

TEST(SystemLauncher, PassesArgumentsWithoutAShell) {
    testing::TempFolder folder;
    const std::string odd = folder.file("a file; touch injected $(x) `y`");
    SystemLauncher launcher;
    ASSERT_TRUE(launcher.start("touch", {odd}));
    for (int i = 0; i < 200 && !std::filesystem::exists(odd); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(std::filesystem::exists(odd));
    EXPECT_FALSE(std::filesystem::exists("injected"));
}

TEST(SystemLauncher, MissingProgramDoesNotStart) {
    SystemLauncher launcher;
    EXPECT_FALSE(launcher.start("brondel-no-such-program-anywhere", {}));
    EXPECT_FALSE(launcher.start("", {}));
}

}  // namespace
}  // namespace brondel::ports
