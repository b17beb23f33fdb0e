// Insert Image and Image Manager reach the user through the program's
// dialogs port: the picture through the open dialog, the manager's changes
// through input boxes, so a session without a desktop drives both.
#include <gtest/gtest.h>

#include <fstream>

#include "documents/drawing_window.h"
#include "engine/commands.h"
#include "shell/main_window.h"
#include "tests/support/fake_ports.h"

namespace brondel::documents {
namespace {

using testing::DialogCall;
using testing::TestProgram;

TEST(ImageCommands, PictureFromTheOpenDialogThenDetachedInTheManager) {
    brondel::testing::TempFolder folder;
    std::ofstream(folder.file("logo.png"), std::ios::binary)
        << std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x40\0\0\0\x20", 24);
    TestProgram p;
    DrawingWindow& w = p.newDrawing();
    std::ofstream(folder.file("plate.dxf")) << "0\nEOF\n";  // saved before
    w.Vecad1.PutFileName(folder.file("plate.dxf"));
    p.dialogs().open(folder.file("logo.png"));
    w.Vecad1.Execute(engine::command::kInsertImage);
    w.Vecad1.commandInput("5,5");
    w.Vecad1.commandInput("");
    const auto asked = p.dialogs().ofKind(DialogCall::Kind::OpenFile);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].setup.filter.find("*.png;*.jpg"), std::string::npos);
    EXPECT_EQ(asked[0].setup.flags, ports::file_flags::kFileMustExist);
    const engine::Drawing& d = w.Vecad1.drawing();
    ASSERT_EQ(w.Vecad1.GetNumEntities(), 1);
    const auto* image = engine::geomIf<engine::ImageGeom>(d.entity(d.firstLive()));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->fileName, "logo.png");
    EXPECT_DOUBLE_EQ(image->u.x * image->widthPx, 64);  // Enter: its width in pixels

    p.dialogs().input("detach logo.png").input("");
    w.Vecad1.Execute(engine::command::kImageManager);
    EXPECT_TRUE(p.dialogs().drained());
    const auto inputs = p.dialogs().ofKind(DialogCall::Kind::InputBox);
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_NE(inputs[0].text.find("logo.png  found  1 image"), std::string::npos);
    EXPECT_EQ(w.Vecad1.GetNumEntities(), 0);
    EXPECT_EQ(d.undoLabel(), "Image Manager");
}

}  // namespace
}  // namespace brondel::documents
