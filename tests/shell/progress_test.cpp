#include "shell/progress.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "shell/main_window.h"
#include "shell/progress_scope.h"
#include "tests/support/fake_ports.h"
#include "tests/support/progress_log.h"

namespace brondel::shell {
namespace {

using testing::ProgressLog;
using testing::TestProgram;

TEST(Progress, AMillionReportsSignalOnlyVisibleSteps) {
    Progress progress;
    ProgressLog log(progress);
    constexpr std::int64_t kTotal = 1'000'003;  // not a multiple of the step
    progress.begin("Work", kTotal);
    for (std::int64_t i = 1; i <= kTotal; ++i) {
        progress.report(i, kTotal);
    }
    EXPECT_LE(log.states.size(), static_cast<std::size_t>(Progress::kVisibleSteps + 2));
    EXPECT_GE(log.states.size(), static_cast<std::size_t>(Progress::kVisibleSteps));
    EXPECT_EQ(log.states.back().done, kTotal);  // the bar is seen full
    EXPECT_EQ(progress.done(), kTotal);

    // Past its end, or with no end known, the count still signals now and then.
    log.states.clear();
    for (std::int64_t i = kTotal + 1; i <= kTotal + 5000; ++i) {
        progress.report(i, kTotal);
    }
    EXPECT_LE(log.states.size(), 5u);
    log.states.clear();
    progress.begin("Unknown", 0);
    for (std::int64_t i = 1; i <= 10 * Progress::kUnknownTotalStride; ++i) {
        progress.report(i, 0);
    }
    EXPECT_EQ(log.states.size(), 11u);

    // A new total or a count that went back shows at once.
    log.states.clear();
    progress.report(5, 0);
    progress.report(6, 50);
    EXPECT_EQ(log.states.size(), 2u);
    EXPECT_EQ(log.states.back().total, 50);
}

TEST(ProgressScope, ShowsWorkPumpsAndHandsTheBarBackOnEveryWayOut) {
    TestProgram program;
    MainWindow& main = program.main;
    ProgressLog log(main.progress);
    {
        ProgressScope outer(main, "Outer", 10);
        outer.step();
        outer.step();
        EXPECT_EQ(program.fakes.pump.runs, 2);
        {
            ProgressScope inner(main, "Inner", 4);
            inner.advance(3, 4);
            EXPECT_EQ(main.progress.task(), "Inner");
        }
        EXPECT_TRUE(main.progress.active());
        EXPECT_EQ(main.progress.task(), "Outer");
        EXPECT_EQ(main.progress.done(), 2);
        EXPECT_EQ(main.progress.total(), 10);
        outer.stage("Second stage", 3);
        EXPECT_EQ(main.progress.done(), 0);
    }
    EXPECT_FALSE(main.progress.active());
    ASSERT_FALSE(log.states.empty());
    EXPECT_EQ(log.states.front().task, "Outer");
    log.expectWellFormed();

    try {
        ProgressScope failing(main, "Failing", 100);
        failing.step();
        throw std::runtime_error("engine failure");
    } catch (const std::runtime_error&) {
        EXPECT_FALSE(main.progress.active());
    }
}

TEST(RunCommand, ACommandAskedForDuringAnotherIsRefused) {
    TestProgram program;
    MainWindow& main = program.main;
    bool innerRan = false;
    bool refused = false;
    EXPECT_TRUE(main.runCommand([&] {
        EXPECT_TRUE(main.commandRunning());
        refused = !main.runCommand([&] { innerRan = true; });
        main.runCommand([&] { main.click("mnuFileNew"); });
    }));
    EXPECT_TRUE(refused);
    EXPECT_FALSE(innerRan);
    EXPECT_TRUE(main.windows().empty());
    EXPECT_FALSE(main.commandRunning());

    // A failure ends the command too.
    EXPECT_THROW(main.runCommand([] { throw std::runtime_error("failure"); }), std::runtime_error);
    EXPECT_TRUE(main.runCommand([&] { main.click("mnuFileNew"); }));
    EXPECT_EQ(main.windows().size(), 1u);
}

TEST(RunCommand, ACloseDuringACommandWaitsForItsEnd) {
    TestProgram program;
    MainWindow& main = program.main;
    main.runCommand([&] { main.click("mnuFileNew"); });
    program.dialogs().answer(ports::Answer::No);  // do not save the changed drawing

    bool stayedDuringCommand = false;
    main.runCommand([&] {
        main.closeAsked();
        stayedDuringCommand =
            !main.closed && main.windows().size() == 1 && program.dialogs().calls.empty();
        program.active().Vecad1.AddLine(0, 0, 0, 1, 1, 0);  // the command goes on undisturbed
    });
    EXPECT_TRUE(stayedDuringCommand);
    // Then the close goes as the user asked it: the changed drawing is offered for saving.
    EXPECT_TRUE(main.closed);
    EXPECT_TRUE(main.windows().empty());
    EXPECT_EQ(program.dialogs().messages().size(), 1u);
    EXPECT_TRUE(program.dialogs().drained());
}

}  // namespace
}  // namespace brondel::shell
