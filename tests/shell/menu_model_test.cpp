#include "shell/menu_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/error.h"
#include "shell/toolbar_model.h"

namespace brondel::shell {
namespace {

TEST(MenuModel, TwelveMenusInDisplayOrder) {
    const MenuModel model;
    std::vector<std::string> captions;
    for (const MenuItem* menu : model.menus()) {
        captions.push_back(menu->caption());
        EXPECT_EQ(menu->parent(), nullptr);
        EXPECT_TRUE(menu->isSubmenu()) << menu->name();
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"File", "Edit", "View", "Format", "Draw",
                                                  "Dimensions", "Insertion", "Selection", "Tools",
                                                  "CNC Tools", "Windows", "Help"}));
    EXPECT_TRUE(model.item("mnuWindow").listsWindows());
    EXPECT_FALSE(model.item("mnuHelp").listsWindows());
}

TEST(MenuModel, NamesAreUniqueAndLookupFindsEveryNamedItem) {
    const MenuModel model;
    std::set<std::string> seen;
    for (const MenuItem* item : model.namedItems()) {
        EXPECT_TRUE(seen.insert(item->name()).second) << "duplicate " << item->name();
        EXPECT_EQ(model.find(item->name()), item);
        EXPECT_FALSE(item->isSeparator()) << item->name();
    }
    EXPECT_EQ(model.find("mnuNoSuchThing"), nullptr);
    EXPECT_THROW((void)model.item("mnuNoSuchThing"), Error);
    EXPECT_THROW(MenuModel().setEnabled("", false), Error);
}

TEST(MenuModel, SubmenusHoldTheirItemsInOrder) {
    const MenuModel model;
    const auto names = [](const MenuItem& menu) {
        std::vector<std::string> out;
        for (const MenuItem* child : menu.children()) {
            out.push_back(child->isSeparator() ? "-" : child->name());
            EXPECT_EQ(child->parent(), &menu);
        }
        return out;
    };
    EXPECT_EQ(names(model.item("mnu1")),
              (std::vector<std::string>{"mnuFileOpen", "mnuDatFile", "mnuCorFile"}));
    EXPECT_EQ(names(model.item("mnuRandomFile")),
              (std::vector<std::string>{"mnuSetStart", "mnuReorganzie", "mnuConvert"}));
    EXPECT_EQ(names(model.item("mnuWindow")),
              (std::vector<std::string>{"mnuWindowCascade", "mnuWindowTile", "mnuWindowArrIcons"}));
    const std::vector<std::string> view3d = names(model.item("mnuView3D"));
    EXPECT_EQ(view3d.size(), 13u);
    EXPECT_EQ(view3d[6], "-");
    EXPECT_EQ(view3d[11], "-");
    EXPECT_EQ(model.item("mnuSaveDAT").parent()->name(), "mnuFileSave");
    EXPECT_EQ(model.item("mnuFileSave").parent()->name(), "mnuFile");
}

TEST(MenuModel, CaptionsKeepMnemonicsBlanksAndSpellings) {
    const MenuModel model;
    EXPECT_EQ(model.item("mnuFileNew").caption(), "&New");
    EXPECT_EQ(model.item("mnuFilePrinterSetup").caption(), "Printer Set&up");
    EXPECT_EQ(model.item("mnuFileEnd").caption(), "E&xit");
    EXPECT_EQ(model.item("mnuViewZoomIn").caption(), "Zoom In" + std::string(20, ' ') + "+");
    EXPECT_EQ(model.item("mnuViewZoomOut").caption(), "Zoom Out" + std::string(18, ' ') + "-");
    EXPECT_EQ(model.item("mnuWindowArrIcons").caption(), "  ");
    EXPECT_EQ(model.item("mnuDrawCircleCenterRadian").caption(),
              "Draw Cirlce by Center and Radius");
    EXPECT_EQ(model.item("mnuInsertRaster").caption(), model.item("mnuInsertImage").caption());
    EXPECT_EQ(model.item("mnuConversionTools").caption(), "CNC Tools");
}

TEST(MenuModel, ShortcutsAndDesignState) {
    const MenuModel model;
    std::set<std::string> withShortcut;
    for (const MenuItem* item : model.namedItems()) {
        if (!item->shortcut().empty()) {
            withShortcut.insert(item->name() + "=" + item->shortcut());
        }
    }
    EXPECT_EQ(withShortcut,
              (std::set<std::string>{
                  "mnuEditUndo=Ctrl+Z", "mnuEditRedo=Ctrl+Y", "mnuEditCut=Ctrl+X",
                  "mnuEditCopy=Ctrl+C", "mnuEditPaste=Ctrl+V", "mnuEditErase=Del",
                  "mnuViewZoomWin=Ctrl+W", "mnuViewZoomExt=Ctrl+A", "mnuToolsCommandWindow=Ctrl+M",
                  "mnuHelpHotkeys=Ctrl+K", "mnuHelpContents=F1"}));

    std::set<std::string> hidden, disabled, checked;
    for (const MenuItem* item : model.namedItems()) {
        if (!item->visible())
            hidden.insert(item->name());
        if (!item->enabled())
            disabled.insert(item->name());
        if (item->checked())
            checked.insert(item->name());
    }
    EXPECT_EQ(hidden,
              (std::set<std::string>{"mnuFilePrinterPrev", "mnuCommandButtons", "mnuViewSelPage",
                                     "mnuViewBlocks", "mnuFormatImageMan", "mnuInsertImageMan"}));
    EXPECT_EQ(disabled, (std::set<std::string>{"mnuFormatImageMan", "mnuInsertImageMan"}));
    EXPECT_EQ(checked, (std::set<std::string>{"mnuDrawingTools", "mnuInformationBar",
                                              "mnuCommandButtons", "mnuSnapDimensions"}));
}

TEST(MenuModel, ReachableNeedsEveryMenuAboveEnabledAndVisible) {
    MenuModel model;
    EXPECT_TRUE(model.item("mnuSaveDAT").reachable());
    model.setEnabled("mnuFileSave", false);
    EXPECT_TRUE(model.item("mnuSaveDAT").enabled());
    EXPECT_FALSE(model.item("mnuSaveDAT").reachable());
    model.setEnabled("mnuFileSave", true);
    model.setVisible("mnuFile", false);
    EXPECT_FALSE(model.item("mnuSaveDAT").reachable());
    EXPECT_FALSE(model.item("mnuFormatImageMan").reachable());
}

TEST(MenuModel, ListenersHearEachRealChangeOnce) {
    MenuModel model;
    std::vector<std::pair<std::string, MenuProperty>> heard;
    const int id = model.addListener([&](const MenuItem& item, MenuProperty property) {
        heard.emplace_back(item.name(), property);
    });
    int second = 0;
    const int other = model.addListener([&](const MenuItem&, MenuProperty) { ++second; });

    model.setEnabled("mnuEdit", true);   // already enabled: no change
    model.setChecked("mnuOrtho", true);  // changes
    model.setChecked("mnuOrtho", true);  // no change
    model.setVisible("mnuViewBlocks", true);
    model.setEnabled("mnuEdit", false);
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard[0], (std::pair<std::string, MenuProperty>{"mnuOrtho", MenuProperty::Checked}));
    EXPECT_EQ(heard[1],
              (std::pair<std::string, MenuProperty>{"mnuViewBlocks", MenuProperty::Visible}));
    EXPECT_EQ(heard[2], (std::pair<std::string, MenuProperty>{"mnuEdit", MenuProperty::Enabled}));
    EXPECT_EQ(second, 3);

    model.removeListener(id);
    model.setEnabled("mnuEdit", true);
    EXPECT_EQ(heard.size(), 3u);
    EXPECT_EQ(second, 4);
    model.removeListener(other);
}

TEST(MenuModel, ListenerMayRemoveItselfWhileTold) {
    MenuModel model;
    int calls = 0;
    int id = 0;
    id = model.addListener([&](const MenuItem&, MenuProperty) {
        ++calls;
        model.removeListener(id);
    });
    model.setChecked("mnuOrtho", true);
    model.setChecked("mnuOrtho", false);
    EXPECT_EQ(calls, 1);
}

TEST(ToolbarModel, FourToolbarsWithTheirPositions) {
    const ToolbarModel model;
    ASSERT_EQ(model.toolbars().size(), 4u);
    const std::vector<std::pair<std::string, std::size_t>> expected = {
        {"asxToolbar1", 29}, {"asxToolbar2", 21}, {"asxToolbar3", 0}, {"asxToolbar4", 20}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Toolbar& bar = model.toolbars()[i];
        EXPECT_EQ(bar.name(), expected[i].first);
        EXPECT_EQ(bar.buttons().size(), expected[i].second) << bar.name();
        EXPECT_TRUE(bar.visible());
        for (std::size_t p = 0; p < bar.buttons().size(); ++p) {
            EXPECT_EQ(bar.buttons()[p].position(), static_cast<int>(p + 1));
            EXPECT_EQ(&model.button(bar.name(), static_cast<int>(p + 1)), &bar.buttons()[p]);
        }
    }
    EXPECT_TRUE(model.toolbar("asxToolbar3").hostsSelectorBoxes());
    EXPECT_EQ(model.toolbar("asxToolbar3").thicknessTwips(), 495);
    EXPECT_EQ(model.toolbar("asxToolbar2").edge(), ToolbarEdge::Left);
    EXPECT_EQ(model.toolbar("asxToolbar4").title(), "Snap and Dimensions");
    EXPECT_THROW((void)model.button("asxToolbar1", 0), Error);
    EXPECT_THROW((void)model.button("asxToolbar1", 30), Error);
    EXPECT_THROW((void)model.button("asxToolbar3", 1), Error);
    EXPECT_THROW((void)model.toolbar("asxToolbar5"), Error);
}

TEST(ToolbarModel, SeparatorsHiddenButtonAndExactTooltips) {
    const ToolbarModel model;
    const auto separators = [&](const char* name) {
        std::vector<int> at;
        for (const ToolbarButton& b : model.toolbar(name).buttons()) {
            if (b.isSeparator())
                at.push_back(b.position());
        }
        return at;
    };
    EXPECT_EQ(separators("asxToolbar1"), (std::vector<int>{6, 16, 20, 23, 27}));
    EXPECT_EQ(separators("asxToolbar2"), (std::vector<int>{12}));
    EXPECT_EQ(separators("asxToolbar4"), (std::vector<int>{13, 19}));
    EXPECT_EQ(model.button("asxToolbar1", 23).key(), "45");
    EXPECT_FALSE(model.button("asxToolbar1", 26).visible());
    EXPECT_EQ(model.button("asxToolbar1", 4).tooltip(), "Save ");
    EXPECT_EQ(model.button("asxToolbar1", 18).key(), "16");
    EXPECT_EQ(model.button("asxToolbar4", 12).tooltip(), "Toogle Snap Mode On/Off (F3)");
    EXPECT_EQ(model.button("asxToolbar2", 1).key(), model.button("asxToolbar2", 20).key());
}

TEST(ToolbarModel, ListenersHearChangesAndRedrawRequests) {
    ToolbarModel model;
    std::vector<std::string> heard;
    model.addListener([&](const Toolbar& bar, const ToolbarButton* button, ToolbarProperty p) {
        heard.push_back(bar.name() + ":" + (button ? std::to_string(button->position()) : "-") +
                        ":" + std::to_string(static_cast<int>(p)));
    });
    model.setVisible("asxToolbar2", true);  // no change
    model.setVisible("asxToolbar2", false);
    model.setButtonEnabled("asxToolbar1", 17, false);
    model.setButtonEnabled("asxToolbar1", 17, false);  // no change
    model.setButtonVisible("asxToolbar1", 26, true);
    model.requestRedraw("asxToolbar1");
    model.requestRedraw("asxToolbar1");  // every request is passed on
    EXPECT_EQ(heard,
              (std::vector<std::string>{"asxToolbar2:-:0", "asxToolbar1:17:1", "asxToolbar1:26:2",
                                        "asxToolbar1:-:3", "asxToolbar1:-:3"}));
}

}  // namespace
}  // namespace brondel::shell
