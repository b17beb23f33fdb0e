#include "shell/menu_model.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/error.h"
#include "shell/toolbar_model.h"

namespace brondel::shell {
namespace {

// Captions, shortcuts, states, tooltips and the order of items are held by the
// reviewed dump tests/scripts/start_state.expected.json; these tests keep what
// that dump cannot show: the tree's links, lookups, refusals and listeners.
TEST(MenuModel, TopMenusAreRootSubmenusAndOnlyWindowsListsWindows) {
    const MenuModel model;
    EXPECT_EQ(model.menus().size(), 12u);
    for (const MenuItem* menu : model.menus()) {
        EXPECT_EQ(menu->parent(), nullptr);
        EXPECT_TRUE(menu->isSubmenu()) << menu->name();
        EXPECT_EQ(menu->listsWindows(), menu->name() == "mnuWindow") << menu->name();
    }
}

TEST(MenuModel, NamesAreUniqueLookupFindsEveryItemAndChildrenPointBack) {
    const MenuModel model;
    std::set<std::string> seen;
    for (const MenuItem* item : model.namedItems()) {
        EXPECT_TRUE(seen.insert(item->name()).second) << "duplicate " << item->name();
        EXPECT_EQ(model.find(item->name()), item);
        EXPECT_FALSE(item->isSeparator()) << item->name();
        for (const MenuItem* child : item->children()) {
            EXPECT_EQ(child->parent(), item) << item->name();
        }
    }
    EXPECT_EQ(model.find("mnuNoSuchThing"), nullptr);
    EXPECT_THROW((void)model.item("mnuNoSuchThing"), Error);
    EXPECT_THROW(MenuModel().setEnabled("", false), Error);
    // The dump lists items in tree order without their depth.
    EXPECT_EQ(model.item("mnuSaveDAT").parent()->name(), "mnuFileSave");
    EXPECT_EQ(model.item("mnuFileSave").parent()->name(), "mnuFile");
    EXPECT_EQ(model.item("mnuCorFile").parent()->name(), "mnu1");
    EXPECT_EQ(model.item("mnuConvert").parent()->name(), "mnuRandomFile");
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

// Which buttons each toolbar holds is in the start_state dump.
TEST(ToolbarModel, ButtonsAreFoundByTheirPositions) {
    const ToolbarModel model;
    ASSERT_EQ(model.toolbars().size(), 4u);
    for (const Toolbar& bar : model.toolbars()) {
        for (std::size_t p = 0; p < bar.buttons().size(); ++p) {
            EXPECT_EQ(bar.buttons()[p].position(), static_cast<int>(p + 1));
            EXPECT_EQ(&model.button(bar.name(), static_cast<int>(p + 1)), &bar.buttons()[p]);
        }
    }
    EXPECT_TRUE(model.toolbar("asxToolbar3").hostsSelectorBoxes());
    EXPECT_EQ(model.toolbar("asxToolbar3").thicknessTwips(), 495);
    EXPECT_EQ(model.toolbar("asxToolbar2").edge(), ToolbarEdge::Left);
    EXPECT_THROW((void)model.button("asxToolbar1", 0), Error);
    EXPECT_THROW((void)model.button("asxToolbar1", 30), Error);
    EXPECT_THROW((void)model.button("asxToolbar3", 1), Error);
    EXPECT_THROW((void)model.toolbar("asxToolbar5"), Error);
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
