// Paste brings the line types, text styles and blocks its entities use
// into a drawing that lacks them; what the drawing has of the same name
// (in any case) stays as it is, and one undo takes everything back.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/clipboard.h"
#include "engine/commands.h"
#include "tests/engine/vecad_session.h"

namespace brondel::engine {
namespace {

using testing::VecadSession;

constexpr int kCopy = 304, kPaste = 305;

const LineType kDashed{"DASHED", "__ __", {0.5, -0.25}};
const LineType kCenter{"CENTER", "____ _", {1.25, -0.25, 0.25, -0.25}};
const LineType kHidden{"HIDDEN", "- - -", {0.25, -0.125}};
const TextStyle kRoman{"ROMAN", "romans.shx"};
const TextStyle kNotes{"NOTES", "isocp.shx"};
const TextStyle kTag{"TAG", "simplex.shx"};

// A dashed line on a layer drawn CENTER, a text in ROMAN, an MTEXT in
// NOTES and an insert of a block whose text is in TAG and whose line is
// HIDDEN.
void fill(Drawing& d) {
    for (const LineType& t : {kDashed, kCenter, kHidden}) {
        d.addLineType(t);
    }
    for (const TextStyle& s : {kRoman, kNotes, kTag}) {
        d.addTextStyle(s);
    }
    d.addLineType(LineType{"UNUSED", "", {}});
    d.addTextStyle(TextStyle{"UNUSED", "txt"});
    d.addLayer(Layer{.name = "AXES", .lineType = "Center"});
    d.add(Entity(LineGeom{{0, 0, 0}, {10, 0, 0}}, {.layer = "AXES", .lineType = "dashed"}));
    d.add(Entity(TextGeom{.text = "A", .style = "ROMAN"}));
    d.add(Entity(MTextGeom{.text = "B", .style = "NOTES"}));
    d.setBlock("TAGBLOCK",
               Block{.entities = {Entity(TextGeom{.style = "TAG"}),
                                  Entity(LineGeom{{0, 0, 0}, {1, 1, 0}}, {.lineType = "HIDDEN"})}});
    d.add(Entity(InsertGeom{.block = "TAGBLOCK", .p = {5, 5, 0}}));
}

template <class T>
const T* named(const std::vector<T>& table, const std::string& name) {
    const auto it =
        std::find_if(table.begin(), table.end(), [&](const T& t) { return t.name == name; });
    return it == table.end() ? nullptr : &*it;
}

TEST(PasteTables, WhatTheEntitiesUseComesAlongAndUndoesWithThePaste) {
    struct Case {
        const char* name;
        bool targetHasDashed;  // as "Dashed", with another pattern
    };
    for (const Case c : {Case{"EmptyTarget", false}, Case{"TargetHasOneInOtherCase", true}}) {
        SCOPED_TRACE(c.name);
        VecadSession from, to;
        fill(from.v.drawing());
        const LineType own{"Dashed", "mine", {2, -1}};
        if (c.targetHasDashed) {
            to.v.drawing().addLineType(own);
        }
        const auto before = to.v.drawing().tables();
        from.selectAll();
        from.v.Execute(kCopy);
        EXPECT_EQ(named(clipboard().lineTypes, "UNUSED"), nullptr);
        EXPECT_EQ(named(clipboard().textStyles, "UNUSED"), nullptr);
        to.v.Execute(kPaste);
        to.press(50, 50);
        const Drawing& d = to.v.drawing();
        ASSERT_EQ(to.entities(), 4);
        for (const LineType& t : {kCenter, kHidden}) {
            ASSERT_NE(named(d.lineTypes(), t.name), nullptr) << t.name;
            EXPECT_EQ(*named(d.lineTypes(), t.name), t);
        }
        if (c.targetHasDashed) {
            EXPECT_EQ(named(d.lineTypes(), "DASHED"), nullptr);
            EXPECT_EQ(*named(d.lineTypes(), "Dashed"), own);
        } else {
            EXPECT_EQ(*named(d.lineTypes(), "DASHED"), kDashed);
        }
        for (const TextStyle& s : {kRoman, kNotes, kTag}) {
            ASSERT_NE(named(d.textStyles(), s.name), nullptr) << s.name;
            EXPECT_EQ(*named(d.textStyles(), s.name), s);
        }
        EXPECT_EQ(named(d.lineTypes(), "UNUSED"), nullptr);
        ASSERT_NE(d.findBlock("TAGBLOCK"), nullptr);
        EXPECT_EQ(d.findBlock("TAGBLOCK")->entities.size(), 2u);

        to.v.Execute(command::kUndo);
        EXPECT_EQ(to.entities(), 0);
        EXPECT_EQ(d.lineTypes(), before.lineTypes);
        EXPECT_EQ(d.textStyles(), before.textStyles);
        EXPECT_EQ(d.findBlock("TAGBLOCK"), nullptr);
    }
}

}  // namespace
}  // namespace brondel::engine
