#include "shell/routing_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "base/error.h"
#include "shell/menu_model.h"
#include "shell/toolbar_model.h"

namespace brondel::shell {
namespace {

// Every named menu item is routed exactly once, and nothing else is.
TEST(RoutingTable, EveryMenuItemHasExactlyOneAction) {
    const MenuModel menus;
    std::multiset<std::string> routed;
    for (std::string_view name : routedItems()) {
        routed.emplace(name);
    }
    for (const MenuItem* item : menus.namedItems()) {
        EXPECT_EQ(routed.count(item->name()), 1u) << item->name();
        const Action& action = actionOf(item->name());
        // Opening a menu is all a menu does, and only menus do only that.
        EXPECT_EQ(action.kind == ActionKind::Submenu, item->isSubmenu()) << item->name();
        EXPECT_NE(action.kind, ActionKind::AsItem) << item->name();
    }
    for (const std::string& name : routed) {
        EXPECT_NE(menus.find(name), nullptr) << "routes unknown item " << name;
    }
    EXPECT_EQ(findActionOf("mnuNoSuchThing"), nullptr);
    EXPECT_THROW((void)actionOf("mnuNoSuchThing"), Error);
}

TEST(RoutingTable, EveryToolbarPositionHasAnActionThatResolves) {
    const MenuModel menus;
    const ToolbarModel toolbars;
    for (const Toolbar& bar : toolbars.toolbars()) {
        ASSERT_EQ(routedPositions(bar.name()), static_cast<int>(bar.buttons().size()))
            << bar.name();
        for (const ToolbarButton& button : bar.buttons()) {
            const Action& action = actionOfButton(bar.name(), button.position());
            const std::string where = bar.name() + " " + std::to_string(button.position());
            if (button.isSeparator() || !button.visible()) {
                EXPECT_EQ(action.kind, ActionKind::None) << where;
            }
            if (action.kind == ActionKind::AsItem) {
                ASSERT_NE(menus.find(action.target), nullptr) << where;
                const Action& resolved = resolvedActionOfButton(bar.name(), button.position());
                EXPECT_EQ(resolved, actionOf(action.target)) << where;
                EXPECT_NE(resolved.kind, ActionKind::Submenu) << where;
                EXPECT_NE(resolved.kind, ActionKind::None) << where;
            }
        }
    }
    EXPECT_EQ(routedPositions("asxToolbar9"), 0);
    EXPECT_THROW((void)actionOfButton("asxToolbar1", 30), Error);
    EXPECT_THROW((void)actionOfButton("asxToolbar3", 1), Error);
}

TEST(RoutingTable, ItemsSharingACodeShareTheirCaption) {
    const MenuModel menus;
    std::map<int, std::set<std::string>> captionsByCode;
    std::map<int, int> itemsByCode;
    for (std::string_view name : routedItems()) {
        const Action& a = actionOf(name);
        if (a.kind == ActionKind::Engine) {
            captionsByCode[a.code].insert(menus.item(name).caption());
            ++itemsByCode[a.code];
        }
    }
    for (const auto& [code, count] : itemsByCode) {
        if (count > 1 && code != 807) {  // "Format Dimension Style" and "Dimension Styles"
            EXPECT_EQ(captionsByCode[code].size(), 1u) << code;
        }
    }
}

TEST(RoutingTable, ToolbarItemsToggleTheToolbarOfTheirTitle) {
    const MenuModel menus;
    const ToolbarModel toolbars;
    for (const MenuItem* item : menus.item("mnuViewToolbars").children()) {
        const Action& a = actionOf(item->name());
        ASSERT_EQ(a.kind, ActionKind::ToggleToolbar) << item->name();
        EXPECT_EQ(toolbars.toolbar(a.target).title(), item->caption());
    }
}

TEST(RoutingTable, SnapButtonsSetNineDistinctBitsMatchingTheirTooltips) {
    const ToolbarModel toolbars;
    std::map<std::string, int> bitByTooltip;
    int all = 0;
    for (int p = 1; p <= 9; ++p) {
        const Action& a = actionOfButton("asxToolbar4", p);
        ASSERT_EQ(a.kind, ActionKind::Snap);
        EXPECT_EQ(a.code & (a.code - 1), 0) << "not a single bit at " << p;
        EXPECT_EQ(all & a.code, 0) << "bit used twice at " << p;
        all |= a.code;
        bitByTooltip[toolbars.button("asxToolbar4", p).tooltip()] = a.code;
    }
    EXPECT_EQ(all, 511);
    EXPECT_EQ(bitByTooltip["Snap to Node"], 1);
    EXPECT_EQ(bitByTooltip["Snap to Endpoint"], 2);
    EXPECT_EQ(bitByTooltip["Snap to Nearest"], 16);
    EXPECT_EQ(bitByTooltip["Snap to Grip"], 256);
}

}  // namespace
}  // namespace brondel::shell
