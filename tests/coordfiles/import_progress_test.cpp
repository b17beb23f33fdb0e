#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "command_fixture.h"
#include "coordfiles/import_commands.h"
#include "coordfiles/line_collection.h"
#include "tests/support/progress_log.h"

namespace brondel::coordfiles {
namespace {

using testing::CommandTest;
using testing::ProgressLog;

class ImportProgressTest : public CommandTest {
  protected:
    // A DAT file of n steps round a circle.
    std::string datFile(int n) {
        std::string text;
        for (int i = 0; i < n; ++i) {
            const double a = 6.283185307179586 * i / n;
            text += std::to_string(0.5 + 0.5 * std::cos(a)) + " " +
                    std::to_string(0.5 * std::sin(a)) + "\r\n";
        }
        const std::string file = path("circle.dat");
        writeFile(file, text);
        return file;
    }
};

TEST_F(ImportProgressTest, DatImportShowsRisingCountsForEachStageAndThenEnds) {
    constexpr int kSteps = 20000;
    ProgressLog log(main.progress);
    dialogs.open(datFile(kSteps)).input("10");
    main.click("mnuDatFile");
    ASSERT_EQ(main.windows().size(), 1u);
    ASSERT_EQ(main.active()->Vecad1.GetNumEntities(), kSteps - 1);

    log.expectWellFormed();
    EXPECT_EQ(log.states.front().task, kImportingDatTask);
    EXPECT_TRUE(log.states.front().active);
    EXPECT_EQ(log.states.front().done, 0);
    // Reading the steps and drawing the lines each run to their end, and so
    // does the line collection that follows.
    const auto imported = log.of(kImportingDatTask);
    int ends = 0;
    for (const auto& s : imported) {
        ends += s.done == s.total ? 1 : 0;
    }
    EXPECT_EQ(ends, 2);
    const auto collecting = log.of(kCollectingLinesTask);
    ASSERT_FALSE(collecting.empty());
    EXPECT_EQ(collecting.back().done, kSteps - 1);
    // Work that reports every row still signals only visible steps.
    EXPECT_LT(log.states.size(), 1000u);
    EXPECT_GE(pump.runs, 3 * (kSteps - 1));
}

}  // namespace
}  // namespace brondel::coordfiles
