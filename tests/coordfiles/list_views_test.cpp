#include "coordfiles/list_views.h"

#include <gtest/gtest.h>

#include "command_fixture.h"
#include "coordfiles/dat_commands.h"
#include "coordfiles/dat_list_command.h"

namespace brondel::coordfiles {
namespace {

using testing::CommandTest;
using testing::Message;
using Rows = std::vector<std::string>;

const Message kTooFew{"You must have at least 3 coordinate values listed to create a DAT file",
                      "Generate DAT File"};
const Message kCannotRead{"Error while generating DAT file, Try Again ", "Error"};
const Message kComplete{
    "Drawing coordinate conversion to DAT file values complete.\rYou can now save the new DAT file",
    "Brondel 3.0"};

class ListViewTest : public CommandTest {
  protected:
    ListViewTest() : window(newWindow()) {}

    bool inDatView() const {
        const bool dat = !window.Vecad1.visible && window.Vecad2.visible &&
                         window.Frame1.caption == "DAT List" && window.DList.visible &&
                         !window.CList.visible;
        const bool coordinates = window.Vecad1.visible && !window.Vecad2.visible &&
                                 window.Frame1.caption == "Coordinate List" &&
                                 !window.DList.visible && window.CList.visible;
        EXPECT_NE(dat, coordinates) << "the window is in neither view";
        return dat;
    }

    documents::DrawingWindow& window;
};

// How the rows are normalized is dat_generation_test's.
TEST_F(ListViewTest, ConvertNormalizesTheCoordinateListAndShowsIt) {
    window.CList.rows = {"-10, -2", "0, 3", "10, -2"};
    main.click("mnuConvert");
    EXPECT_EQ(window.DList.rows, (Rows{"0 0", "0.5 0.25", "1 0"}));
    EXPECT_EQ(window.CList.rows, (Rows{"-10, -2", "0, 3", "10, -2"}));
    EXPECT_EQ(takeMessages(), std::vector<Message>{kComplete});
    EXPECT_TRUE(inDatView());
    EXPECT_EQ(main.statusMain.panels[2], " 3 Steps in the DAT File");
    EXPECT_EQ(window.Vecad2.GetNumEntities(), 2) << "the steps are joined, not closed";
    EXPECT_TRUE(window.Vecad2.hasFocus());
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
    EXPECT_GT(pump.runs, 0);
}

TEST_F(ListViewTest, TooFewRowsRaiseTheFlagAndTheCommandLowersIt) {
    window.CList.rows = {"0, 0", "1, 1"};
    window.DList.rows = {"0 0", "1 1", "0.5 0.5"};
    EXPECT_EQ(generateWindowDatList(window), DatGenerationOutcome::TooFewRows);
    EXPECT_TRUE(main.state.generationFailed);
    EXPECT_EQ(takeMessages(), std::vector<Message>{kTooFew});

    main.state.generationFailed = false;
    main.click("mnuConvert");
    EXPECT_FALSE(main.state.generationFailed);
    EXPECT_EQ(takeMessages(), std::vector<Message>{kTooFew}) << "no completion message";
    EXPECT_EQ(window.DList.rows, (Rows{"0 0", "1 1", "0.5 0.5"}));
    EXPECT_FALSE(inDatView());
    EXPECT_EQ(window.Vecad2.GetNumEntities(), 0);
    EXPECT_TRUE(window.Vecad1.hasFocus());
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
}

TEST_F(ListViewTest, AnUnreadableRowStopsTheConversionWithoutRaisingTheFlag) {
    window.DList.rows = {"0 0", "1 0", "0 1"};
    window.CList.rows = {"0, 0", "5,5", "10, 0"};  // which rows fail is dat_generation_test's
    main.click("mnuConvert");
    EXPECT_FALSE(main.state.generationFailed);
    // The old DAT list is neither replaced nor presented as the new one.
    EXPECT_EQ(takeMessages(), std::vector<Message>{kCannotRead});
    EXPECT_EQ(window.DList.rows, (Rows{"0 0", "1 0", "0 1"}));
    EXPECT_FALSE(inDatView());
    EXPECT_EQ(window.Vecad2.GetNumEntities(), 0);
    EXPECT_EQ(main.mousePointer, shell::MousePointer::Default);
}

// What the view buttons do to the menus is the transcript and dumps of
// tests/scripts/view_switch; the conversions show the DAT view but leave New
// and Open alone.
TEST_F(ListViewTest, ConversionsShowTheDatViewButLeaveNewAndOpen) {
    EXPECT_FALSE(inDatView()) << "a new window starts in the coordinate view";
    window.CList.rows = {"0, 0", "10, 5", "20, 0"};
    main.click("mnuConvert");
    EXPECT_TRUE(inDatView());
    EXPECT_TRUE(main.menus.item("mnuFileNew").enabled());
    EXPECT_TRUE(main.menus.item("mnu1").enabled());
}

TEST_F(ListViewTest, ListToggleShowsAndHidesTheFrameOnly) {
    int frameChanges = 0;
    window.Frame1.changed.connect([&] { ++frameChanges; });
    EXPECT_FALSE(window.Frame1.visible);
    main.click("mnuViewLists");
    EXPECT_TRUE(window.Frame1.visible);
    EXPECT_TRUE(main.menus.item("mnuViewLists").checked());
    main.click("mnuViewLists");
    EXPECT_FALSE(window.Frame1.visible);
    EXPECT_FALSE(main.menus.item("mnuViewLists").checked());
    EXPECT_EQ(frameChanges, 2);
    EXPECT_FALSE(inDatView());
}

TEST_F(CommandTest, CommandsThatNeedAWindowDoNothingWithoutOne) {
    for (const char* item : {"mnuViewLists", "mnuConvert", "mnuSequentialFile", "mnuSaveDAT"}) {
        main.click(item);
    }
    main.pressToolbar("asxToolbar1", 29);
    EXPECT_TRUE(dialogs.calls.empty());
}

}  // namespace
}  // namespace brondel::coordfiles
