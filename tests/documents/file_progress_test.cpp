#include "documents/file_progress.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "shell/main_window.h"
#include "tests/support/fake_ports.h"
#include "tests/support/progress_log.h"

namespace brondel::documents {
namespace {

using testing::ProgressLog;
using testing::TestProgram;

// A DXF of n lines, large enough for several chunks of the reader.
std::string linesDxf(int n) {
    std::string s = "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < n; ++i) {
        s += "0\nLINE\n8\n0\n10\n" + std::to_string(i) + "\n20\n0\n11\n" + std::to_string(i) +
             "\n21\n1\n";
    }
    return s + "0\nENDSEC\n0\nEOF\n";
}

TEST(FileProgress, OpenAndSaveShowTheFileWorkAndEndIt) {
    TestProgram program;
    const std::string text = linesDxf(150000);
    const std::string file = program.folder.file("lines.dxf");
    std::ofstream(file, std::ios::binary) << text;
    ProgressLog log(program.main.progress);
    const int pumpsBefore = program.fakes.pump.runs;

    program.dialogs().open(file);
    program.main.click("mnuFileOpen");
    ASSERT_EQ(program.active().Vecad1.GetNumEntities(), 150000);
    const auto opening = log.of(kOpeningDrawingTask);
    ASSERT_GE(opening.size(), 2u);
    EXPECT_EQ(opening.back().done, static_cast<std::int64_t>(text.size()));
    EXPECT_EQ(opening.back().total, static_cast<std::int64_t>(text.size()));
    EXPECT_GT(program.fakes.pump.runs, pumpsBefore);  // the windows repaint while reading
    log.expectWellFormed();
    EXPECT_FALSE(program.active().Vecad1.fileProgress);

    log.states.clear();
    program.dialogs().save(program.folder.file("copy.vec"));
    program.main.click("mnuSaveAs");
    EXPECT_FALSE(log.of(kSavingDrawingTask).empty());
    log.expectWellFormed();
}

TEST(FileProgress, AFileCutShortEndsTheProgressBeforeTheError) {
    TestProgram program;
    bool shownDuringWork = false;
    program.dialogs().atMessageBox = [&] {
        shownDuringWork = shownDuringWork || program.main.progress.active();
    };
    const std::string text = linesDxf(150000);
    const std::string file = program.folder.file("cut.dxf");
    std::ofstream(file, std::ios::binary) << text.substr(0, text.size() - 1000);

    ProgressLog log(program.main.progress);
    program.dialogs().open(file);
    program.main.click("mnuFileOpen");
    ASSERT_EQ(program.dialogs().messages().size(), 1u);
    EXPECT_FALSE(log.of(kOpeningDrawingTask).empty());
    EXPECT_FALSE(shownDuringWork);
    log.expectWellFormed();
}

}  // namespace
}  // namespace brondel::documents
