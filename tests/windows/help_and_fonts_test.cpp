#include <gtest/gtest.h>

#include <fstream>

#include "engine/drawing.h"
#include "tests/support/fake_ports.h"
#include "windows/font_tools.h"
#include "windows/forms.h"
#include "windows/modal_input.h"

namespace brondel::windows {
namespace {

using testing::TestProgram;

// The compiled help beside the program first, else the HTML help.
TEST(Help, OpensTheCompiledHelpOrElseTheHtmlHelp) {
    for (const bool withChm : {true, false}) {
        TestProgram program;
        if (withChm) {
            std::ofstream(program.folder.file("brondel.chm")) << "chm";
        }
        std::ofstream(program.folder.file("brondel.html")) << "html";
        program.main.click("mnuHelpContents");
        ASSERT_EQ(program.fakes.launcher.documents.size(), 1u);
        EXPECT_EQ(program.fakes.launcher.documents[0],
                  program.folder.file(withChm ? "brondel.chm" : "brondel.html"));
        EXPECT_TRUE(program.dialogs().messages().empty());
    }
}

TEST(Help, MissingHelpOrViewerIsReported) {
    TestProgram program;
    program.main.click("mnuHelpContents");
    EXPECT_TRUE(program.fakes.launcher.documents.empty());
    ASSERT_EQ(program.dialogs().messages().size(), 1u);
    EXPECT_NE(program.dialogs().messages()[0].text.find("brondel.chm"), std::string::npos);

    std::ofstream(program.folder.file("brondel.chm")) << "chm";
    program.fakes.launcher.succeeds = false;
    program.main.click("mnuHelpContents");
    EXPECT_EQ(program.dialogs().messages().size(), 2u);
}

TEST(Fonts, ListsShowTheActiveDrawingsFontsOrTheBuiltInOnes) {
    TestProgram program;
    program.main.click("ViewFonts");  // no drawing window: the main window is the parent
    ASSERT_TRUE(program.main.modal);
    EXPECT_EQ(program.main.modal->name, kFontsList);
    EXPECT_EQ(program.main.modal->controls.at("lstFonts").text, "txt\n");
    modalKey(program.main, kKeyEscape);

    documents::DrawingWindow& window = program.main.NewDrawingWindow();
    program.main.activate(&window);
    engine::DrawingContent content;
    // The built-in font first, then each style's font once.
    content.textStyles = {
        {"STANDARD", "txt"}, {"NOTES", "romans.shx"}, {"TITLE", "txt"}, {"EMPTY", ""}};
    window.Vecad1.drawing().load(std::move(content));
    program.main.click("mnuToolsIntalledVcfFonts");
    ASSERT_TRUE(program.main.modal);
    EXPECT_EQ(program.main.modal->controls.at("lstFonts").text, "txt\nromans.shx\n");
    pressModalButton(program.main, "cmdOK");
    EXPECT_FALSE(program.main.modal);
}

TEST(Fonts, ConvertersSayTheyAreNotAvailable) {
    TestProgram program;
    program.main.click("mnuToolsConvSxfVcf");
    program.main.click("mnuToolsConvTtfVcf");
    const auto messages = program.dialogs().messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].text.find("SHX"), std::string::npos);
    EXPECT_NE(messages[1].text.find("TrueType"), std::string::npos);
    EXPECT_FALSE(program.main.modal);
}

}  // namespace
}  // namespace brondel::windows
