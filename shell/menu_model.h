#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The main window's menu bar as plain objects. The desktop skin builds its
// menus from this model and follows it through the change listeners; the
// handlers switch items only through the model, so every change is seen.
namespace brondel::shell {

class MenuItem {
  public:
    // Empty for separators and for the unnamed items of the tree.
    const std::string& name() const { return name_; }
    // As the user sees it, "&" marking the mnemonic; "-" for a separator.
    const std::string& caption() const { return caption_; }
    // Key text such as "Ctrl+Z", "Del" or "F1"; empty when the item has none.
    const std::string& shortcut() const { return shortcut_; }
    bool enabled() const { return enabled_; }
    bool visible() const { return visible_; }
    bool checked() const { return checked_; }
    bool isSeparator() const { return caption_ == "-"; }
    bool isSubmenu() const { return !children_.empty(); }
    // The menu that lists the open drawing windows after its own items.
    bool listsWindows() const { return name_ == "mnuWindow"; }
    // Null for the top-level menus.
    const MenuItem* parent() const { return parent_; }
    const std::vector<const MenuItem*>& children() const { return children_; }
    // Whether the user can reach the item: it and every menu above it are
    // enabled and visible.
    bool reachable() const;

  private:
    friend class MenuModel;
    std::string name_;
    std::string caption_;
    std::string shortcut_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    const MenuItem* parent_ = nullptr;
    std::vector<const MenuItem*> children_;
};

enum class MenuProperty { Enabled, Visible, Checked };

class MenuModel {
  public:
    // Called once for every property whose value actually changed.
    using Listener = std::function<void(const MenuItem&, MenuProperty)>;

    // The whole tree in its state before the main window's load.
    MenuModel();
    MenuModel(const MenuModel&) = delete;
    MenuModel& operator=(const MenuModel&) = delete;

    // The top-level menus in display order, "File" to "Help".
    const std::vector<const MenuItem*>& menus() const { return menus_; }
    // Every named item, menus and submenus included, in display order
    // (each menu followed by its contents).
    std::vector<const MenuItem*> namedItems() const;

    // Null when no item has that name.
    const MenuItem* find(std::string_view name) const;
    // Throws brondel::Error when no item has that name.
    const MenuItem& item(std::string_view name) const;

    void setEnabled(std::string_view name, bool on);
    void setVisible(std::string_view name, bool on);
    void setChecked(std::string_view name, bool on);

    int addListener(Listener listener);
    void removeListener(int id);

  private:
    MenuItem& mutableItem(std::string_view name);
    void change(MenuItem& item, bool MenuItem::*flag, bool on, MenuProperty property);

    std::vector<std::unique_ptr<MenuItem>> items_;  // tree order, separators included
    std::vector<const MenuItem*> menus_;
    std::map<std::string, MenuItem*, std::less<>> byName_;
    std::map<int, Listener> listeners_;
    int nextListenerId_ = 1;
};

}  // namespace brondel::shell
