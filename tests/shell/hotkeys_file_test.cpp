#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/menu_model.h"

namespace brondel::shell {
namespace {

std::vector<std::string> hotkeyLines() {
    std::ifstream in(std::string(BRONDEL_SOURCE_DIR) + "/hotkeys.txt");
    EXPECT_TRUE(in) << "hotkeys.txt missing";
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string withoutMnemonic(std::string caption) {
    std::erase(caption, '&');
    return caption;
}

// The shipped hot-keys text lists every menu shortcut beside its menu and caption.
TEST(HotkeysFile, ListsEveryMenuShortcut) {
    const std::vector<std::string> lines = hotkeyLines();
    const MenuModel menus;
    int shortcuts = 0;
    for (const MenuItem* item : menus.namedItems()) {
        if (item->shortcut().empty()) {
            continue;
        }
        ++shortcuts;
        const MenuItem* menu = item;
        while (menu->parent() != nullptr)
            menu = menu->parent();
        bool listed = false;
        for (const std::string& line : lines) {
            std::istringstream words(line);
            std::string first;
            words >> first;
            const std::string caption = withoutMnemonic(item->caption());
            const std::string key = item->shortcut();
            listed = listed || (first == menu->caption() &&
                                line.find(" " + caption + " ") != std::string::npos &&
                                line.size() >= key.size() &&
                                line.compare(line.size() - key.size(), key.size(), key) == 0);
        }
        EXPECT_TRUE(listed) << item->name() << " " << item->shortcut();
    }
    EXPECT_GT(shortcuts, 0);
}

TEST(HotkeysFile, IsPlainTextWithoutTabs) {
    for (const std::string& line : hotkeyLines()) {
        for (char c : line) {
            EXPECT_TRUE(c >= ' ' && c <= '~') << "in line: " << line;
        }
    }
}

}  // namespace
}  // namespace brondel::shell
