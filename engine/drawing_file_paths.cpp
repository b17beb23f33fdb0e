#include <type_traits>

#include "engine/drawing.h"

namespace brondel::engine {

namespace {

using PathMap = std::function<std::string(const std::string&)>;

void rebase(Entity& e, const PathMap& map) {
    if (auto* g = geomIf<ImageGeom>(e)) {
        g->fileName = map(g->fileName);
    }
}

void rebase(std::vector<Entity>& list, const PathMap& map) {
    for (Entity& e : list) {
        rebase(e, map);
    }
}

void rebase(Block& block, const PathMap& map) {
    rebase(block.entities, map);
    if (!block.xrefPath.empty()) {
        block.xrefPath = map(block.xrefPath);
    }
}

template <class P>
void rebaseHeld(const P& held, const PathMap& map) {
    if (held) {
        rebase(*held, map);
    }
}

}  // namespace

// The history holds entities and blocks too: an undo after the move brings
// back paths that follow the new place as well.
void Drawing::rebaseFilePaths(const std::function<std::string(const std::string&)>& map) {
    rebase(entities_, map);
    for (auto& [name, block] : blocks_) {
        rebase(block, map);
    }
    for (UndoStep& step : steps_) {
        for (Op& op : step.ops) {
            std::visit(
                [&](auto& o) {
                    using T = std::decay_t<decltype(o)>;
                    if constexpr (std::is_same_v<T, OpAdd>) {
                        rebaseHeld(o.entity, map);
                    } else if constexpr (std::is_same_v<T, OpAppend>) {
                        rebaseHeld(o.entities, map);
                    } else if constexpr (std::is_same_v<T, OpReplace>) {
                        rebaseHeld(o.other, map);
                    } else if constexpr (std::is_same_v<T, OpReplaceMany>) {
                        rebaseHeld(o.others, map);
                    } else if constexpr (std::is_same_v<T, OpRemove>) {
                        if (o.removal) {
                            rebase(o.removal->removed, map);
                        }
                    } else if constexpr (std::is_same_v<T, OpBlock>) {
                        if (o.change && o.change->other) {
                            rebase(*o.change->other, map);
                        }
                    }
                },
                op);
        }
    }
}

}  // namespace brondel::engine
