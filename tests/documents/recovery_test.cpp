#include "documents/recovery.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "documents/drawing_window.h"
#include "engine/cad.h"
#include "engine/io/drawing_files.h"
#include "tests/support/fake_ports.h"

namespace brondel::documents {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A state folder of the test's own, so no real recovery file is touched.
class Recovery : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("XDG_STATE_HOME", state_.path().c_str(), 1);
        engine::CadPutAutosaveMinutes(10);
    }
    void TearDown() override { ::unsetenv("XDG_STATE_HOME"); }

    fs::path copyOf(int serial) const {
        return recoveryFolder() /
               (std::to_string(::getpid()) + "-" + std::to_string(serial) + ".vec");
    }
    // Renames this process's recovery files as a program that has gone
    // would have left them.
    fs::path orphan(int serial) const {
        long deadPid = 0;
        std::ifstream("/proc/sys/kernel/pid_max") >> deadPid;
        const fs::path stem = recoveryFolder() / (std::to_string(deadPid + 1) + "-1");
        fs::rename(copyOf(serial), fs::path(stem).replace_extension(".vec"));
        fs::rename(fs::path(copyOf(serial)).replace_extension(".name"),
                   fs::path(stem).replace_extension(".name"));
        return fs::path(stem).replace_extension(".vec");
    }

    // The recovery file a program killed with a changed drawing leaves.
    fs::path leftBehind(const std::string& drawing) const {
        testing::TestProgram crashed;
        crashed.main.click("mnuFileNew");
        crashed.active().Vecad1.PutFileName(drawing);
        crashed.active().Vecad1.AddLine(0, 0, 0, 3, 4, 0);
        Autosave(crashed.main).writeChanged();
        crashed.dialogs().answers.assign(4, ports::Answer::No);
        return orphan(1);
    }

    testing::TempFolder state_;
};

TEST_F(Recovery, ChangedDrawingsAreWrittenEveryIntervalAndGoWithACleanClose) {
    testing::TestProgram program;
    program.main.click("mnuFileNew");
    program.main.click("mnuFileNew");
    program.active().Vecad1.AddLine(0, 0, 0, 3, 4, 0);
    Autosave autosave(program.main);
    const auto t0 = Autosave::Clock::now();
    autosave.tick(t0);
    autosave.tick(t0 + 9min);
    EXPECT_FALSE(fs::exists(copyOf(2)));
    autosave.tick(t0 + 10min);
    autosave.finish();
    ASSERT_TRUE(fs::exists(copyOf(2)));
    EXPECT_FALSE(fs::exists(copyOf(1)));  // unchanged
    std::string name;
    std::getline(std::ifstream(fs::path(copyOf(2)).replace_extension(".name")), name);
    EXPECT_EQ(name, "Drawing.dxf");

    // Written again only when the drawing changed since.
    fs::remove(copyOf(2));
    autosave.tick(t0 + 20min);
    autosave.finish();
    EXPECT_FALSE(fs::exists(copyOf(2)));
    program.active().Vecad1.AddLine(0, 0, 0, 1, 1, 0);
    engine::CadPutAutosaveMinutes(0);
    autosave.tick(t0 + 90min);
    EXPECT_FALSE(fs::exists(copyOf(2)));
    engine::CadPutAutosaveMinutes(10);
    autosave.tick(t0 + 100min);
    autosave.finish();
    EXPECT_TRUE(fs::exists(copyOf(2)));

    program.dialogs().answer(ports::Answer::No);  // do not save
    program.main.click("mnuClose");
    EXPECT_TRUE(fs::is_empty(recoveryFolder()));
}

TEST_F(Recovery, TheCopyHoldsTheDrawingAsItWasWhenItsWriteBegan) {
    testing::TestProgram program;
    program.main.click("mnuFileNew");
    auto& vecad = program.active().Vecad1;
    vecad.AddLine(0, 0, 0, 3, 4, 0);
    Autosave autosave(program.main);
    autosave.writeChanged();
    vecad.AddLine(0, 0, 0, 1, 1, 0);  // the user goes on while it writes
    autosave.finish();
    EXPECT_EQ(engine::io::readVec(copyOf(1)).entities.size(), 1u);
    autosave.writeChanged();
    autosave.finish();
    EXPECT_EQ(engine::io::readVec(copyOf(1)).entities.size(), 2u);
    program.dialogs().answers.assign(4, ports::Answer::No);
}

// Restoring the copy is the desktop's kill-and-restart test (gui/recovery_test).
TEST_F(Recovery, AtStartACopyLeftBehindIsOfferedAndKeptWhenPutOff) {
    const std::string drawing = (state_.path() / "plan.dxf").string();
    const fs::path left = leftBehind(drawing);
    testing::TestProgram next(false);
    next.dialogs().answer(ports::Answer::Cancel);
    next.main.start();
    offerRecovery(next.main);
    ASSERT_EQ(next.dialogs().messages().size(), 1u);
    EXPECT_NE(next.dialogs().messages()[0].text.find(drawing), std::string::npos);
    EXPECT_TRUE(fs::exists(left));  // offered again next time
    EXPECT_EQ(next.main.windows().size(), 0u);
}

TEST_F(Recovery, ACopyOlderThanItsDrawingIsDroppedUnasked) {
    const fs::path drawing = state_.path() / "saved.dxf";
    const fs::path left = leftBehind(drawing.string());
    std::ofstream(drawing) << "saved later";
    fs::last_write_time(drawing, fs::last_write_time(left) + 1s);
    testing::TestProgram next;
    offerRecovery(next.main);
    EXPECT_TRUE(next.dialogs().messages().empty());
    EXPECT_FALSE(fs::exists(left));
}

}  // namespace
}  // namespace brondel::documents
