#include <algorithm>
#include <map>
#include <set>

#include "engine/io/dxf_reader.h"

// A leader's annotation is a multi-line text of its own in a DXF file; the
// model keeps it with the leader, so the two move and erase as one.
namespace brondel::engine::io::dxf {

void Reader::foldAnnotations() {
    const auto listOf = [&](const std::string& blockName) -> std::vector<Entity>* {
        if (blockName.empty()) {
            return &content_.entities;
        }
        const auto block = content_.blocks.find(blockName);
        return block == content_.blocks.end() ? nullptr : &block->second.entities;
    };
    std::map<std::string, std::set<std::size_t>> folded;  // by block name
    for (const auto& [leader, handle] : leaders_) {
        const auto text = mtexts_.find(handle);
        std::vector<Entity>* list = listOf(leader.blockName);
        // Only a text beside its leader, and only once.
        if (text == mtexts_.end() || text->second.blockName != leader.blockName || !list ||
            std::max(leader.index, text->second.index) >= list->size() ||
            !folded[leader.blockName].insert(text->second.index).second) {
            continue;
        }
        auto* g = geomIf<LeaderGeom>((*list)[leader.index]);
        const auto* t = geomIf<MTextGeom>((*list)[text->second.index]);
        if (!g || !t || t->text.empty()) {
            folded[leader.blockName].erase(text->second.index);
            continue;
        }
        g->annotation = *t;
    }
    for (const auto& [blockName, indices] : folded) {
        std::vector<Entity>& list = *listOf(blockName);
        std::size_t kept = 0;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (indices.count(i)) {
                continue;
            }
            if (kept != i) {
                list[kept] = std::move(list[i]);
            }
            ++kept;
        }
        list.resize(kept);
    }
    leaders_.clear();
    mtexts_.clear();
}

}  // namespace brondel::engine::io::dxf
