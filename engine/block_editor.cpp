#include "engine/block_editor.h"

#include "engine/drawing.h"

namespace brondel::engine {

namespace {

constexpr const char* kCaption = "Format Blocks";

bool ownBlock(const std::string& name) {
    return !name.empty() && name[0] != '*';
}

const std::string* referenced(const Entity& e) {
    const auto* insert = geomIf<InsertGeom>(e);
    return insert ? &insert->block : nullptr;
}

}  // namespace

std::string refusedBlockName(const Drawing& drawing, const std::string& name) {
    if (std::string why = refusedTableName(name); !why.empty()) {
        return why;
    }
    if (name[0] == '*') {
        return "A block name cannot start with *";
    }
    for (const auto& [other, block] : drawing.blocks()) {
        if (sameTableName(other, name)) {
            return "A block named \"" + other + "\" exists";
        }
    }
    return {};
}

std::vector<std::string> BlockEditor::names() const {
    return ownBlockNames(drawing_);
}

std::vector<std::string> ownBlockNames(const Drawing& drawing) {
    std::vector<std::string> list;
    for (const auto& [name, block] : drawing.blocks()) {
        if (ownBlock(name)) {
            list.push_back(name);
        }
    }
    return list;
}

const std::string* BlockEditor::find(const std::string& name) const {
    for (const auto& [other, block] : drawing_.blocks()) {
        if (ownBlock(other) && sameTableName(other, name)) {
            return &other;
        }
    }
    return nullptr;
}

std::size_t BlockEditor::uses(const std::string& name) const {
    std::size_t n = 0;
    for (const Entity& e : drawing_.entities()) {
        const std::string* block = referenced(e);
        n += !e.erased && block && *block == name;
    }
    for (const auto& [other, b] : drawing_.blocks()) {
        for (const Entity& e : b.entities) {
            const std::string* block = referenced(e);
            n += block && *block == name;
        }
    }
    return n;
}

std::string BlockEditor::rename(const std::string& from, const std::string& to) {
    const std::string* found = find(from);
    if (!found) {
        return "No block named \"" + from + "\"";
    }
    const std::string old = *found;
    if (old == to) {
        return {};
    }
    if (!sameTableName(old, to)) {
        if (std::string why = refusedBlockName(drawing_, to); !why.empty()) {
            return why;
        }
    } else if (std::string why = refusedTableName(to); !why.empty()) {
        return why;
    }
    Drawing::Step step(drawing_, kCaption);
    const auto follow = [&](Entity& e) {
        auto* insert = geomIf<InsertGeom>(e);
        if (insert && insert->block == old) {
            insert->block = to;
            return true;
        }
        return false;
    };
    for (const Entity& e : drawing_.entities()) {
        Entity copy = e;
        if (!e.erased && follow(copy)) {
            drawing_.replace(e.handle, std::move(copy));
        }
    }
    Block moved = drawing_.blocks().at(old);
    drawing_.setBlock(old, std::nullopt);
    drawing_.setBlock(to, std::move(moved));
    std::vector<Block> changed;
    for (const auto& [name, block] : drawing_.blocks()) {
        Block copy = block;
        bool any = false;
        for (Entity& e : copy.entities) {
            any = follow(e) || any;
        }
        if (any) {
            changed.push_back(std::move(copy));
        }
    }
    for (Block& b : changed) {
        const std::string name = b.name;
        drawing_.setBlock(name, std::move(b));
    }
    return {};
}

std::string BlockEditor::remove(const std::string& name) {
    const std::string* found = find(name);
    if (!found) {
        return "No block named \"" + name + "\"";
    }
    if (const std::size_t n = uses(*found); n > 0) {
        return "Block \"" + *found + "\" is used " + std::to_string(n) + " time" +
               (n == 1 ? "" : "s");
    }
    const std::string old = *found;
    Drawing::Step step(drawing_, kCaption);
    drawing_.setBlock(old, std::nullopt);
    return {};
}

std::string BlockEditor::purge() {
    Drawing::Step step(drawing_, kCaption);
    std::size_t purged = 0;
    for (bool again = true; again;) {
        again = false;
        for (const std::string& name : names()) {
            if (uses(name) == 0) {
                drawing_.setBlock(name, std::nullopt);
                ++purged;
                again = true;
            }
        }
    }
    return purged == 0 ? "No unused blocks" : std::string();
}

std::string BlockEditor::prompt() const {
    std::string text = "Blocks:";
    for (const std::string& name : names()) {
        text += "\r" + name + "  used " + std::to_string(uses(name));
    }
    return text + "\rType: rename NAME NEW, delete NAME, purge; nothing to close";
}

std::string BlockEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    const std::string verb = w.empty() ? std::string() : lowerCase(w[0]);
    if (verb == "rename" && w.size() == 3) {
        return rename(w[1], w[2]);
    }
    if (verb == "delete" && w.size() == 2) {
        return remove(w[1]);
    }
    if (verb == "purge" && w.size() == 1) {
        return purge();
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
