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

// What the menus and toolbars show at start, with a drawing, in the DAT view
// and after the last window closed is in the reviewed dumps of
// tests/scripts/start_state, new_window and view_switch; these tests keep the
// toolbar toggle and what listeners hear.
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
