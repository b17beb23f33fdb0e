#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/drawing.h"
#include "engine/table_editor.h"
#include "tests/engine/entity_values.h"

namespace brondel::engine::testing {

// Everything a Format editor may change: the header, the tables, and every
// live entity and block entity with its properties and values.
struct DrawingState {
    DrawingHeader header;
    std::vector<Layer> layers;
    std::vector<LineType> lineTypes;
    std::vector<TextStyle> textStyles;
    std::string currentLayer;
    std::vector<std::tuple<std::string, EntityProps, std::vector<double>, std::vector<std::string>>>
        entities;  // a block's name first, "" for the drawing's own
    bool operator==(const DrawingState&) const = default;
};

inline DrawingState stateOf(const Drawing& d) {
    const DrawingContent t = d.tables();
    DrawingState s{t.header, t.layers, t.lineTypes, t.textStyles, t.currentLayer, {}};
    const auto put = [&s](const std::string& block, const Entity& e) {
        EntityValues v = entityValues(e);
        s.entities.emplace_back(block, e.props(), std::move(v.numbers), std::move(v.texts));
    };
    for (const Entity& e : d.entities()) {
        if (!e.erased) {
            put("", e);
        }
    }
    for (const auto& [name, block] : t.blocks) {
        for (const Entity& e : block.entities) {
            put(name, e);
        }
    }
    return s;
}

// One line typed into a Format editor. Applied (no refusal): the answer is
// empty, `check` sees the drawing, and the change is one undo step named
// after the editor, which undo takes back exactly and redo makes again.
// Refused: the answer holds `refusal` and the drawing is as it was.
inline void expectTypedChange(Drawing& d, TableEditor& editor, const std::string& typed,
                              const std::string& refusal,
                              const std::function<void(const Drawing&)>& check = {}) {
    SCOPED_TRACE(typed);
    const DrawingState before = stateOf(d);
    const std::uint64_t version = d.version();
    const std::string answer = editor.command(typed);
    if (!refusal.empty()) {
        EXPECT_NE(answer.find(refusal), std::string::npos) << answer;
        EXPECT_EQ(d.version(), version);
        EXPECT_TRUE(stateOf(d) == before) << "a refusal changed the drawing";
        return;
    }
    ASSERT_EQ(answer, "");
    if (check) {
        check(d);
    }
    const DrawingState after = stateOf(d);
    EXPECT_FALSE(after == before) << "applied, but nothing changed";
    EXPECT_EQ(d.undoLabel(), editor.title());
    d.undo();
    EXPECT_EQ(d.version(), version);
    EXPECT_TRUE(stateOf(d) == before) << "undo left a change";
    d.redo();
    EXPECT_TRUE(stateOf(d) == after) << "redo made another drawing";
}

}  // namespace brondel::engine::testing
