#include "pathtools/check_command.h"

#include <gtest/gtest.h>

#include "tests/support/fake_ports.h"

namespace brondel::pathtools {
namespace {

TEST(CheckDrawingCommand, ComesAfterTheSpecifiedItemsAndChangesNothing) {
    testing::TestProgram program;
    shell::MainWindow& main = program.main;
    main.click("mnuFileNew");
    documents::DrawingWindow& window = *main.active();
    window.Vecad1.AddLine(0, 0, 0, 10, 0, 0);
    window.Vecad1.AddLine(10, 0, 0, 10, 10, 0);
    window.Vecad1.AddLine(10, 10.5, 0, 0, 0, 0);
    const int entities = window.Vecad1.GetNumEntities();
    window.Vecad1.drawing().markSaved();

    main.click("mnuCheckDrawing");
    const std::vector<testing::DialogCall> shown = program.dialogs().messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, kCheckDrawingTitle);
    EXPECT_EQ(shown[0].text,
              "Contours: 1 (0 closed, 1 open); gaps: 1; duplicates: 0; zero-length: 0\r"
              "Contour 1: open, 3 segments, length 34.5, from (0, 0) to (10, 10.5), closes with "
              "a search radius of 0.51\r"
              "Gap of 0.5 from (10, 10) to (10, 10.5)");
    EXPECT_EQ(main.statusMain.panels[2],
              "Contours: 1 (0 closed, 1 open); gaps: 1; duplicates: 0; zero-length: 0");
    EXPECT_EQ(window.Vecad1.commandHistory().back(), "Gap of 0.5 from (10, 10) to (10, 10.5)");
    EXPECT_EQ(window.Vecad1.GetNumEntities(), entities);
    EXPECT_FALSE(window.Vecad1.HasChanged()) << "nothing changed, no undo step";
}

}  // namespace
}  // namespace brondel::pathtools
