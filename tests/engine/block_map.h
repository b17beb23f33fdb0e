#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/shape.h"
#include "engine/tables.h"

namespace brondel::testing {

// Blocks by name, for shape and explode tests that need no whole drawing.
struct BlockMap : engine::BlockLookup {
    std::map<std::string, engine::Block> map;
    const engine::Block* findBlock(const std::string& name) const override {
        auto it = map.find(name);
        return it == map.end() ? nullptr : &it->second;
    }
    void add(engine::Block b) { map[b.name] = std::move(b); }
};

// The box around all the parts an entity became.
inline engine::Box2 boxOf(const std::vector<engine::Entity>& parts,
                          const engine::BlockLookup& blocks) {
    engine::Box2 box;
    for (const engine::Entity& e : parts) {
        box.add(engine::boundingBox(e, blocks));
    }
    return box;
}

}  // namespace brondel::testing
