#include "shell/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/fake_ports.h"

namespace brondel::shell {
namespace {

namespace fs = std::filesystem;

TEST(ProgramFolder, OwnFolderFirstThenTheInstalledShareFolder) {
    testing::TempFolder root;
    const fs::path bin = root.path() / "usr" / "bin";
    const fs::path share = root.path() / "usr" / "share" / "brondel";
    fs::create_directories(bin);
    EXPECT_EQ(programFolder(bin), bin.string());  // nothing anywhere
    fs::create_directories(share);
    std::ofstream(share / "hotkeys.txt") << "keys";
    EXPECT_EQ(programFolder(bin), share.string());  // installed
    std::ofstream(bin / "hotkeys.txt") << "keys";
    EXPECT_EQ(programFolder(bin), bin.string());  // a build or a copy of its own
}

}  // namespace
}  // namespace brondel::shell
