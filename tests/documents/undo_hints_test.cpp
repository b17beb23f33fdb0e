#include "documents/undo_hints.h"

#include <gtest/gtest.h>

#include "documents/drawing_window.h"
#include "engine/commands.h"
#include "shell/main_window.h"
#include "tests/support/fake_ports.h"

namespace brondel::documents {
namespace {

using testing::TestProgram;

// A program command that changes the drawing is one step the Edit menu
// names, and Undo takes all of it back.
TEST(UndoHints, NameTheProgramsOwnCommandsAndUndoTakesEachBackWhole) {
    TestProgram p;
    EXPECT_EQ(undoHint(nullptr), "Nothing to undo");

    p.dialogs().open(std::string(BRONDEL_CORPUS_DIR) + "/dat/aerosandbox_e423.dat").input("100");
    p.main.click("mnuDatFile");
    DrawingWindow& w = p.active();
    const int imported = w.Vecad1.GetNumEntities();
    ASSERT_GT(imported, 10);
    EXPECT_EQ(undoHint(&w), "Undo Import");
    EXPECT_EQ(redoHint(&w), "Nothing to redo");

    w.Vecad1.Execute(engine::command::kUndo);
    EXPECT_EQ(w.Vecad1.GetNumEntities(), 0);
    EXPECT_EQ(undoHint(&w), "Nothing to undo");
    EXPECT_EQ(redoHint(&w), "Redo Import");

    // Redo leaves the drawing alone while the DAT view shows the preview.
    p.main.runHandler("showDatView");
    EXPECT_EQ(redoHint(&w), "Nothing to redo");
    p.main.runHandler("showCoordinateView");
    w.Vecad1.Execute(engine::command::kRedo);
    EXPECT_EQ(w.Vecad1.GetNumEntities(), imported);

    w.Vecad1.AddLine(0, 0, 0, 1, 1, 0);
    EXPECT_EQ(undoHint(&w), "Undo Edit");
}

}  // namespace
}  // namespace brondel::documents
