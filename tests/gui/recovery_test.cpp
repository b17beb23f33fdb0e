#include "tests/gui/user_session.h"

#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMdiArea>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "documents/drawing_window.h"
#include "documents/recovery.h"

extern char** environ;

namespace brondel::desktop {
namespace {

namespace fs = std::filesystem;

// Set in the copy of this test that plays the program being killed: the
// file it creates once its change is in its recovery file.
constexpr const char* kReadyVariable = "BRONDEL_KILLED_PROGRAM_READY";

class KilledProgram : public testing::UserSession {
  protected:
    // The program with a changed drawing, written by its autosave, waiting
    // to be killed.
    void playTheKilledProgram(const std::string& ready) {
        click("mnuFileNew");
        program.main.active()->Vecad1.AddLine(0, 0, 0, 30, 40, 0);
        frame.autosave().writeChanged();
        frame.autosave().finish();
        std::ofstream(ready) << "ready";
        for (int i = 0; i < 600; ++i) {
            QApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::_Exit(1);  // nobody killed it
    }
};

TEST_F(KilledProgram, IsOfferedItsChangedDrawingAtTheNextStart) {
    if (const char* ready = std::getenv(kReadyVariable)) {
        playTheKilledProgram(ready);
        return;
    }
    const fs::path state = program.folder.path() / "state";
    const fs::path ready = program.folder.path() / "ready";
    ::setenv("XDG_STATE_HOME", state.c_str(), 1);
    ::setenv(kReadyVariable, ready.c_str(), 1);
    const std::string filter =
        "--gtest_filter=KilledProgram.IsOfferedItsChangedDrawingAtTheNextStart";
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    char* argv[] = {const_cast<char*>(self.c_str()), const_cast<char*>(filter.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, environ);
    ::unsetenv(kReadyVariable);
    ASSERT_EQ(spawned, 0);
    for (int i = 0; i < 600 && !fs::exists(ready); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_TRUE(fs::exists(ready));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    program.dialogs().answer(ports::Answer::Yes);
    documents::offerRecovery(program.main);
    QApplication::processEvents();
    EXPECT_EQ(program.dialogs().messages().size(), 1u);
    ASSERT_NE(program.main.active(), nullptr);
    EXPECT_EQ(program.main.active()->Vecad1.GetFileName(), "Drawing.dxf");
    EXPECT_TRUE(program.main.active()->Vecad1.HasChanged());
    EXPECT_EQ(program.main.active()->Vecad1.GetNumEntities(), 1);
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 1);

    // Closed cleanly (not saved), the drawing leaves no recovery file.
    frame.autosave().writeChanged();
    frame.autosave().finish();
    EXPECT_FALSE(fs::is_empty(documents::recoveryFolder()));
    program.dialogs().answer(ports::Answer::No);
    click("mnuClose");
    EXPECT_TRUE(fs::is_empty(documents::recoveryFolder()));
    ::unsetenv("XDG_STATE_HOME");
}

}  // namespace
}  // namespace brondel::desktop
