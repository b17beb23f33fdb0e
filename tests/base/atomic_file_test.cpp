#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <stdexcept>

#include "base/atomic_file.h"
#include "base/error.h"
#include "tests/support/files.h"
#include "tests/support/thrown.h"

namespace brondel::base {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
  protected:
    std::string file(const char* name) const { return folder_.file(name); }
    static std::string contents(const std::string& path) { return testing::readFile(path); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_.path()), {}));
    }

    testing::TempFolder folder_;
};

TEST_F(AtomicFile, WritesNewFileAndReplacesOldOne) {
    const std::string path = file("out.txt");
    writeFileAtomically(path, std::string_view("first"));
    EXPECT_EQ(contents(path), "first");

    const std::string big(3 << 20, 'x');  // larger than the write buffer
    writeFileAtomically(path, [&](std::ostream& out) { out << big << "end"; });
    EXPECT_EQ(contents(path), big + "end");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFile, BackupHoldsTheReplacedBytesAndOnlyOnceTheNewFileIsWhole) {
    const std::string path = file("plan.dxf");
    const std::string backup = backupName(path);
    writeFileAtomically(
        path, [](std::ostream& out) { out << "new"; }, backup);
    EXPECT_FALSE(fs::exists(backup));  // nothing was replaced

    writeFileAtomically(
        path, [](std::ostream& out) { out << "second"; }, backup);
    EXPECT_EQ(contents(backup), "new");
    // A writer failing halfway leaves the file, its backup and no temporary.
    EXPECT_THROW(writeFileAtomically(
                     path,
                     [](std::ostream& out) {
                         out << "half of it";
                         throw std::runtime_error("failed");
                     },
                     backup),
                 std::runtime_error);
    EXPECT_EQ(contents(backup), "new");
    EXPECT_EQ(contents(path), "second");
    EXPECT_EQ(entries(), 2u);
}

TEST(BackupName, ReplacesTheExtensionAsCadProgramsDo) {
    EXPECT_EQ(backupName("/d/plan.dxf"), "/d/plan.bak");
    EXPECT_EQ(backupName("/d/plan.v2.vec"), "/d/plan.v2.bak");
    EXPECT_EQ(backupName("/d.x/plan"), "/d.x/plan.bak");
    EXPECT_EQ(backupName("/d/.hidden"), "/d/.hidden.bak");
}

TEST_F(AtomicFile, MissingFolderOrFolderAsTargetIsPathAccessError) {
    for (const std::string& path : {file("no/such/folder.txt"), folder_.path().string()}) {
        const testing::Thrown e =
            testing::thrown([&] { writeFileAtomically(path, std::string_view("x")); });
        EXPECT_EQ(e.number, err::kPathFileAccess) << path;
        EXPECT_NE(e.description.find(path), std::string::npos);
    }
    EXPECT_EQ(entries(), 0u);
}

TEST_F(AtomicFile, FailedWriteIsWriteErrorAndKeepsOldFile) {
    const std::string path = file("limited.txt");
    writeFileAtomically(path, std::string_view("old"));
    // A file size limit makes the write itself fail, as a full disk would.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const int number =
        testing::thrown([&] { writeFileAtomically(path, std::string(1 << 17, 'y')); }).number;
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);
    EXPECT_EQ(number, err::kFileWrite);
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFile, KeepsPermissionsOfTheFileItReplaces) {
    const std::string path = file("script.sh");
    writeFileAtomically(path, std::string_view("#!/bin/sh\n"));
    ::chmod(path.c_str(), 0750);
    writeFileAtomically(path, std::string_view("#!/bin/sh\necho\n"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0750u);
}

}  // namespace
}  // namespace brondel::base
