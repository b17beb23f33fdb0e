#include "shell/menu_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/error.h"

namespace brondel::shell {
namespace {

const std::set<std::string> kFileDrawingItems = {
    "mnuFileSave",    "mnuFilePrinterPrev", "mnuFilePrinterSetup", "mnuFilePrinterPrint",
    "mnuInsertImage", "mnuClose",           "mnuCloseAll",         "mnuSaveAs"};
const std::set<std::string> kEditMenus = {"mnuEdit",   "mnuFormat", "mnuDraw",  "mnuDims",
                                          "mnuInsert", "mnuSelect", "mnuTools", "mnuWindow"};
const std::set<std::string> kViewMenus = {"mnuView", "mnuConversionTools"};
const std::set<std::string> kEditTooltips = {
    "Copy", "Cut", "Paste", "Undo", "Redo", "Regenerate", "Open Command Window"};

// The state of one group; fails the test when the group is not uniform.
bool groupEnabled(const MenuModel& menus, const std::set<std::string>& names) {
    const bool first = menus.item(*names.begin()).enabled();
    for (const std::string& name : names) {
        EXPECT_EQ(menus.item(name).enabled(), first) << name;
    }
    return first;
}

// Enabled state of the command bar's editing buttons (the hidden one included).
bool editButtonsEnabled(const ToolbarModel& toolbars) {
    std::vector<bool> states;
    for (const ToolbarButton& b : toolbars.toolbar("asxToolbar1").buttons()) {
        if (kEditTooltips.count(b.tooltip()) != 0 || !b.visible()) {
            states.push_back(b.enabled());
        }
    }
    EXPECT_EQ(states.size(), kEditTooltips.size() + 1);
    for (bool s : states)
        EXPECT_EQ(s, states.front());
    return states.front();
}

struct Bars {
    MenuModel menus;
    ToolbarModel toolbars;
    void start() { SetDrawingCommandsEnabled(menus, toolbars, false); }
    void openDrawing() {
        SetDrawingCommandsEnabled(menus, toolbars, true);
        SetEditCommandsEnabled(menus, toolbars, true);
    }
    void datViewButton() {
        SetNewAndOpenEnabled(menus, false);
        SetEditCommandsEnabled(menus, toolbars, false);
    }
    void coordinateViewButton() {
        SetNewAndOpenEnabled(menus, true);
        SetEditCommandsEnabled(menus, toolbars, true);
    }
    void closeLastWindow() {
        SetNewAndOpenEnabled(menus, true);
        SetDrawingCommandsEnabled(menus, toolbars, false);
    }
    bool shown(const char* bar) const { return toolbars.toolbar(bar).visible(); }
    // The toolbar items' check marks follow their toolbars.
    void expectChecksFollowToolbars() const {
        for (const MenuItem* item : menus.item("mnuViewToolbars").children()) {
            const std::string bar = item->name() == "mnuDrawingTools"     ? "asxToolbar2"
                                    : item->name() == "mnuInformationBar" ? "asxToolbar3"
                                    : item->name() == "mnuSnapDimensions" ? "asxToolbar4"
                                                                          : "asxToolbar1";
            if (item->visible()) {
                EXPECT_EQ(item->checked(), toolbars.toolbar(bar).visible()) << item->name();
            }
        }
    }
};

TEST(MenuState, TheThreeStatesOfTheMenusAndToolbars) {
    Bars bars;
    bars.start();
    EXPECT_FALSE(groupEnabled(bars.menus, kFileDrawingItems));
    EXPECT_FALSE(groupEnabled(bars.menus, kEditMenus));
    EXPECT_FALSE(groupEnabled(bars.menus, kViewMenus));
    EXPECT_FALSE(bars.shown("asxToolbar1"));
    EXPECT_TRUE(editButtonsEnabled(bars.toolbars));  // untouched since design

    bars.openDrawing();
    EXPECT_TRUE(groupEnabled(bars.menus, kFileDrawingItems));
    EXPECT_TRUE(groupEnabled(bars.menus, kEditMenus));
    EXPECT_TRUE(groupEnabled(bars.menus, kViewMenus));
    for (const char* bar : {"asxToolbar1", "asxToolbar2", "asxToolbar3", "asxToolbar4"}) {
        EXPECT_TRUE(bars.shown(bar)) << bar;
    }
    EXPECT_TRUE(editButtonsEnabled(bars.toolbars));
    bars.expectChecksFollowToolbars();

    bars.datViewButton();
    EXPECT_TRUE(groupEnabled(bars.menus, kFileDrawingItems));
    EXPECT_FALSE(groupEnabled(bars.menus, kEditMenus));
    EXPECT_TRUE(groupEnabled(bars.menus, kViewMenus));
    EXPECT_TRUE(bars.shown("asxToolbar1"));
    for (const char* bar : {"asxToolbar2", "asxToolbar3", "asxToolbar4"}) {
        EXPECT_FALSE(bars.shown(bar)) << bar;
    }
    EXPECT_FALSE(editButtonsEnabled(bars.toolbars));
    EXPECT_FALSE(bars.menus.item("mnuFileNew").reachable());
    EXPECT_FALSE(bars.menus.item("mnuFileOpen").reachable());
    EXPECT_TRUE(bars.menus.item("mnuFileEnd").reachable());
    bars.expectChecksFollowToolbars();

    bars.coordinateViewButton();
    EXPECT_TRUE(groupEnabled(bars.menus, kEditMenus));
    EXPECT_TRUE(editButtonsEnabled(bars.toolbars));
    EXPECT_TRUE(bars.menus.item("mnuFileNew").reachable());
    bars.expectChecksFollowToolbars();

    // No drawing window again: the editing buttons keep what was last set.
    bars.datViewButton();
    bars.closeLastWindow();
    EXPECT_FALSE(groupEnabled(bars.menus, kEditMenus));
    EXPECT_FALSE(editButtonsEnabled(bars.toolbars));
}

TEST(MenuState, ToggleToolbarFlipsToolbarAndCheckMark) {
    Bars bars;
    bars.openDrawing();
    EXPECT_FALSE(ToggleToolbar(bars.menus, bars.toolbars, "mnuSnapDimensions"));
    EXPECT_FALSE(bars.shown("asxToolbar4"));
    bars.expectChecksFollowToolbars();
    EXPECT_TRUE(ToggleToolbar(bars.menus, bars.toolbars, "mnuSnapDimensions"));
    EXPECT_TRUE(bars.shown("asxToolbar4"));
    bars.expectChecksFollowToolbars();
    EXPECT_THROW(ToggleToolbar(bars.menus, bars.toolbars, "mnuEditUndo"), Error);
}

// Everything a listener can observe, keyed by what it is.
std::map<std::string, bool> snapshot(const Bars& bars) {
    std::map<std::string, bool> s;
    for (const MenuItem* item : bars.menus.namedItems()) {
        s[item->name() + ".enabled"] = item->enabled();
        s[item->name() + ".visible"] = item->visible();
        s[item->name() + ".checked"] = item->checked();
    }
    for (const Toolbar& bar : bars.toolbars.toolbars()) {
        s[bar.name() + ".visible"] = bar.visible();
        for (const ToolbarButton& b : bar.buttons()) {
            const std::string key = bar.name() + "." + std::to_string(b.position());
            s[key + ".enabled"] = b.enabled();
            s[key + ".visible"] = b.visible();
        }
    }
    return s;
}

TEST(MenuState, ListenersHearEveryChangeExactlyOnce) {
    Bars bars;
    std::multiset<std::string> heard;
    int redraws = 0;
    bars.menus.addListener([&](const MenuItem& item, MenuProperty p) {
        static const char* const kNames[] = {".enabled", ".visible", ".checked"};
        heard.insert(item.name() + kNames[static_cast<int>(p)]);
    });
    bars.toolbars.addListener(
        [&](const Toolbar& bar, const ToolbarButton* button, ToolbarProperty p) {
            if (p == ToolbarProperty::Redraw) {
                ++redraws;
                return;
            }
            std::string key = bar.name();
            if (button != nullptr)
                key += "." + std::to_string(button->position());
            heard.insert(key + (p == ToolbarProperty::ButtonEnabled ? ".enabled" : ".visible"));
        });

    const std::vector<std::function<void()>> steps = {
        [&] { bars.start(); },
        [&] { bars.openDrawing(); },
        [&] { bars.datViewButton(); },
        [&] { bars.datViewButton(); },  // nothing left to change
        [&] { bars.coordinateViewButton(); },
        [&] { ToggleToolbar(bars.menus, bars.toolbars, "mnuInformationBar"); },
        [&] { bars.closeLastWindow(); },
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto before = snapshot(bars);
        heard.clear();
        steps[i]();
        const auto after = snapshot(bars);
        std::multiset<std::string> changed;
        for (const auto& [key, value] : after) {
            if (before.at(key) != value)
                changed.insert(key);
        }
        EXPECT_EQ(heard, changed) << "step " << i;
    }
    // Each edit-command switch asks the command bar to repaint once.
    EXPECT_EQ(redraws, 4);
}

}  // namespace
}  // namespace brondel::shell
