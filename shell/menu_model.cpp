#include "shell/menu_model.h"

#include <cassert>

#include "base/error.h"
#include "shell/menu_tree.h"

namespace brondel::shell {

namespace {

[[noreturn]] void throwUnknown(std::string_view name) {
    throw Error(err::kBadArgument, "No menu item named " + std::string(name));
}

}  // namespace

bool MenuItem::reachable() const {
    for (const MenuItem* i = this; i != nullptr; i = i->parent_) {
        if (!i->enabled_ || !i->visible_) {
            return false;
        }
    }
    return true;
}

MenuModel::MenuModel() {
    // The last item seen at each depth is the parent of the next deeper row.
    MenuItem* lastAtDepth[3] = {nullptr, nullptr, nullptr};
    for (const MenuRow& row : menuTree()) {
        auto item = std::make_unique<MenuItem>();
        item->name_ = row.name;
        item->caption_ = row.caption;
        item->shortcut_ = row.shortcut;
        item->visible_ = (row.flags & kHidden) == 0;
        item->enabled_ = (row.flags & kDisabled) == 0;
        item->checked_ = (row.flags & kChecked) != 0;
        if (row.depth == 0) {
            menus_.push_back(item.get());
        } else {
            MenuItem* parent = lastAtDepth[row.depth - 1];
            assert(parent != nullptr);
            item->parent_ = parent;
            parent->children_.push_back(item.get());
        }
        lastAtDepth[row.depth] = item.get();
        if (!item->name_.empty()) {
            byName_.emplace(item->name_, item.get());
        }
        items_.push_back(std::move(item));
    }
}

std::vector<const MenuItem*> MenuModel::namedItems() const {
    std::vector<const MenuItem*> named;
    for (const auto& item : items_) {
        if (!item->name_.empty()) {
            named.push_back(item.get());
        }
    }
    return named;
}

const MenuItem* MenuModel::find(std::string_view name) const {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

const MenuItem& MenuModel::item(std::string_view name) const {
    const MenuItem* found = find(name);
    if (found == nullptr) {
        throwUnknown(name);
    }
    return *found;
}

MenuItem& MenuModel::mutableItem(std::string_view name) {
    const auto it = byName_.find(name);
    if (it == byName_.end()) {
        throwUnknown(name);
    }
    return *it->second;
}

void MenuModel::setEnabled(std::string_view name, bool on) {
    change(mutableItem(name), &MenuItem::enabled_, on, MenuProperty::Enabled);
}

void MenuModel::setVisible(std::string_view name, bool on) {
    change(mutableItem(name), &MenuItem::visible_, on, MenuProperty::Visible);
}

void MenuModel::setChecked(std::string_view name, bool on) {
    change(mutableItem(name), &MenuItem::checked_, on, MenuProperty::Checked);
}

void MenuModel::change(MenuItem& item, bool MenuItem::*flag, bool on, MenuProperty property) {
    if (item.*flag == on) {
        return;
    }
    item.*flag = on;
    // A listener may remove itself while being told.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners) {
        listener(item, property);
    }
}

int MenuModel::addListener(Listener listener) {
    const int id = nextListenerId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void MenuModel::removeListener(int id) {
    listeners_.erase(id);
}

}  // namespace brondel::shell
