#include "engine/entity_properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "base/error.h"
#include "engine/vecad.h"
#include "tests/support/thrown.h"

namespace brondel::engine {
namespace {

int errorNumberOf(const std::function<void()>& f) {
    const brondel::testing::Thrown e = brondel::testing::thrown(f);
    EXPECT_EQ(e.description.empty(), e.number == 0);
    return e.number;
}

TEST(EntityProperties, ReadsTheDefiningValuesOfEachShape) {
    Vecad v;
    v.AddLayer("Cut", 1, 0, -3);
    EXPECT_FALSE(v.SetCurLayerByName("missing"));
    EXPECT_TRUE(v.SetCurLayerByName("Cut"));
    const Handle line = v.AddLine(1, 2, 0, 4, 6, 0);
    const Handle point = v.AddPoint(7, 8, 0);
    const Handle text = v.AddText("Rib 3", 10, 11, 0, 0, 2.5, 1, 0, 0);
    const Handle circle = v.drawing().add(Entity(CircleGeom{{5, 5, 0}, 3}));
    const Handle arc = v.drawing().add(Entity(ArcGeom{{0, 0, 0}, 2, 0.5, -1.5}));
    const Handle spline = v.drawing().add(Entity(SplineGeom{}));

    const EntityProperties l = readProperties(v.drawing(), line);
    EXPECT_EQ(l.shape, PropertyShape::Line);
    EXPECT_EQ(l.props.layer, "Cut");
    EXPECT_EQ(l.p1, (Point3{1, 2, 0}));
    EXPECT_EQ(l.p2, (Point3{4, 6, 0}));
    EXPECT_EQ(l.box.maxY, 6);

    EXPECT_EQ(readProperties(v.drawing(), point).p1, (Point3{7, 8, 0}));
    const EntityProperties t = readProperties(v.drawing(), text);
    EXPECT_EQ(t.shape, PropertyShape::Text);
    EXPECT_EQ(t.text, "Rib 3");
    EXPECT_EQ(t.height, 2.5);
    EXPECT_EQ(t.p1, (Point3{10, 11, 0}));

    const EntityProperties c = readProperties(v.drawing(), circle);
    EXPECT_EQ(c.shape, PropertyShape::Circle);
    EXPECT_EQ(c.radius, 3);
    const EntityProperties a = readProperties(v.drawing(), arc);
    EXPECT_EQ(a.shape, PropertyShape::Arc);
    EXPECT_EQ(a.startAngle, 0.5);
    EXPECT_EQ(a.angle, -1.5);
    EXPECT_EQ(readProperties(v.drawing(), spline).shape, PropertyShape::Other);
}

TEST(EntityProperties, AnEditIsOneLabelledUndoStep) {
    Vecad v;
    v.AddLayer("Cut", 1, 0, -3);
    const Handle line = v.AddLine(0, 0, 0, 10, 0, 0);
    EntityProperties p = readProperties(v.drawing(), line);
    p.p2 = {10, 5, 0};
    p.props.layer = "Cut";
    p.props.color = Color{3, -1};
    ASSERT_TRUE(applyProperties(v.drawing(), line, p));
    EXPECT_EQ(v.drawing().undoLabel(), "Properties");
    EXPECT_EQ(readProperties(v.drawing(), line).p2, (Point3{10, 5, 0}));
    // The spatial index follows: the moved end is found where it now is.
    EXPECT_EQ(v.drawing().within(10, 5, 0.01).size(), 1u);

    v.drawing().undo();
    const EntityProperties back = readProperties(v.drawing(), line);
    EXPECT_EQ(back.p2, (Point3{10, 0, 0}));
    EXPECT_EQ(back.props.layer, "0");
    EXPECT_EQ(back.props.color.aci, Color::kByLayer);
    EXPECT_TRUE(v.drawing().within(10, 5, 0.01).empty());

    // Applying what is there makes no step.
    v.drawing().redo();
    const bool undoable = v.drawing().canUndo();
    EXPECT_FALSE(applyProperties(v.drawing(), line, readProperties(v.drawing(), line)));
    EXPECT_EQ(v.drawing().canUndo(), undoable);
    EXPECT_FALSE(v.drawing().canRedo());
}

TEST(EntityProperties, TextArcAndOtherKindsTakeTheirOwnEdits) {
    Vecad v;
    const Handle text = v.AddText("A", 1, 1, 0, 0, 1, 1, 0, 0);
    EntityProperties t = readProperties(v.drawing(), text);
    t.p1 = {2, 3, 0};
    t.text = "B";
    t.height = 4;
    applyProperties(v.drawing(), text, t);
    const auto* g = geomIf<TextGeom>(v.drawing().entity(text));
    EXPECT_EQ(g->text, "B");
    EXPECT_EQ(g->alignPoint, (Point3{2, 3, 0}));  // moved along with the insertion point

    const Handle arc = v.drawing().add(Entity(ArcGeom{{0, 0, 0}, 2, 0, 1}));
    EntityProperties a = readProperties(v.drawing(), arc);
    a.radius = 5;
    a.angle = -kPi;
    applyProperties(v.drawing(), arc, a);
    EXPECT_EQ(geomIf<ArcGeom>(v.drawing().entity(arc))->angle, -kPi);

    // A kind without editable coordinates keeps its geometry; its props change.
    const Handle spline = v.drawing().add(Entity(SplineGeom{}));
    EntityProperties s = readProperties(v.drawing(), spline);
    s.p1 = {99, 99, 0};
    s.props.lineWeight = 50;
    EXPECT_TRUE(applyProperties(v.drawing(), spline, s));
    EXPECT_EQ(v.drawing().entity(spline).props().lineWeight, 50);
}

TEST(EntityProperties, BadValuesAreRefusedAndChangeNothing) {
    Vecad v;
    const Handle line = v.AddLine(0, 0, 0, 1, 0, 0);
    const Handle circle = v.drawing().add(Entity(CircleGeom{{0, 0, 0}, 1}));
    const Handle arc = v.drawing().add(Entity(ArcGeom{{0, 0, 0}, 1, 0, 1}));
    const Handle text = v.AddText("A", 0, 0, 0, 0, 1, 1, 0, 0);
    const std::string lastStep = v.drawing().undoLabel();
    const double nan = std::numeric_limits<double>::quiet_NaN();

    const auto refused = [&](Handle h, const std::function<void(EntityProperties&)>& edit) {
        EntityProperties p = readProperties(v.drawing(), h);
        edit(p);
        return errorNumberOf([&] { applyProperties(v.drawing(), h, p); });
    };
    EXPECT_EQ(refused(line, [](auto& p) { p.props.layer = "missing"; }), err::kNoSuchLayer);
    EXPECT_EQ(refused(line, [](auto& p) { p.props.color.aci = 300; }), err::kBadArgument);
    EXPECT_EQ(refused(line, [](auto& p) { p.props.color.trueColor = 0x1000000; }),
              err::kBadArgument);
    EXPECT_EQ(refused(line, [](auto& p) { p.props.lineType = "DASHED"; }), err::kBadArgument);
    EXPECT_EQ(refused(line, [](auto& p) { p.props.lineWeight = 17; }), err::kBadArgument);
    EXPECT_EQ(refused(line, [&](auto& p) { p.p2.x = nan; }), err::kBadArgument);
    EXPECT_EQ(refused(line, [](auto& p) { p.p1.y = INFINITY; }), err::kBadArgument);
    EXPECT_EQ(refused(circle, [](auto& p) { p.radius = 0; }), err::kBadArgument);
    EXPECT_EQ(refused(circle, [&](auto& p) { p.radius = nan; }), err::kBadArgument);
    EXPECT_EQ(refused(arc, [](auto& p) { p.angle = 0; }), err::kBadArgument);
    EXPECT_EQ(refused(arc, [](auto& p) { p.angle = 7; }), err::kBadArgument);
    EXPECT_EQ(refused(text, [](auto& p) { p.height = -1; }), err::kBadArgument);
    EXPECT_EQ(refused(text, [](auto& p) { p.text = "two\nlines"; }), err::kBadArgument);
    EXPECT_EQ(refused(line, [](auto& p) { p.shape = PropertyShape::Circle; }),
              err::kWrongEntityKind);

    v.EntityErase(line, true);
    EXPECT_EQ(refused(line, [](auto& p) { p.p2.x = 3; }), err::kEntityErased);
    EXPECT_EQ(errorNumberOf([&] { readProperties(v.drawing(), 0x7ffffff0); }), err::kNoSuchEntity);

    v.drawing().undo();  // the erase
    EXPECT_EQ(v.drawing().undoLabel(), lastStep);
    EXPECT_EQ(readProperties(v.drawing(), line).p2, (Point3{1, 0, 0}));
    EXPECT_EQ(readProperties(v.drawing(), arc).angle, 1);
}

TEST(EntityProperties, AValueFromTheFileThatWeWouldNotOfferStaysThroughOtherEdits) {
    Vecad v;
    Entity odd(LineGeom{{0, 0, 0}, {1, 0, 0}});
    odd.editProps().lineWeight = 17;      // not a standard weight, as some files carry
    odd.editProps().lineType = "DASHED";  // a line type the file does not define
    const Handle line = v.drawing().add(std::move(odd));
    EntityProperties p = readProperties(v.drawing(), line);
    p.p2.x = 5;
    EXPECT_TRUE(applyProperties(v.drawing(), line, p));
    EXPECT_EQ(v.drawing().entity(line).props().lineWeight, 17);
    EXPECT_EQ(readProperties(v.drawing(), line).p2.x, 5);
}

TEST(SelectorChanges, ChangeTheListedEntitiesAsOneStep) {
    Vecad v;
    v.AddLayer("Cut", 1, 0, -3);
    const Handle a = v.AddLine(0, 0, 0, 1, 0, 0);
    const Handle b = v.AddLine(0, 1, 0, 1, 1, 0);
    const Handle untouched = v.AddLine(0, 2, 0, 1, 2, 0);

    EXPECT_EQ(setColor(v.drawing(), {a, b}, Color{1, -1}), 2u);
    EXPECT_EQ(v.drawing().undoLabel(), "Colour");
    EXPECT_EQ(setLineType(v.drawing(), {a, b}, "CONTINUOUS"), 2u);
    EXPECT_EQ(setLineWeight(v.drawing(), {a}, 35), 1u);
    EXPECT_EQ(setLineWeight(v.drawing(), {a}, 35), 0u);  // already so

    EXPECT_EQ(setLayer(v.drawing(), {a, b}, "Cut"), 2u);
    EXPECT_EQ(v.drawing().undoLabel(), "Layer");
    EXPECT_EQ(v.drawing().currentLayer(), "Cut");
    EXPECT_EQ(v.drawing().entity(b).props().layer, "Cut");
    EXPECT_EQ(v.drawing().entity(untouched).props().layer, "0");
    v.drawing().undo();  // layer and current layer together
    EXPECT_EQ(v.drawing().currentLayer(), "0");
    EXPECT_EQ(v.drawing().entity(a).props().layer, "0");
    EXPECT_EQ(v.drawing().entity(b).props().layer, "0");

    // Nothing selected: only the current layer changes.
    EXPECT_EQ(setLayer(v.drawing(), {}, "Cut"), 0u);
    EXPECT_EQ(v.drawing().currentLayer(), "Cut");

    // A bad value, or an erased entity in the list, changes none of them.
    EXPECT_EQ(errorNumberOf([&] { setLayer(v.drawing(), {a}, "missing"); }), err::kNoSuchLayer);
    v.EntityErase(b, true);
    EXPECT_EQ(errorNumberOf([&] {
                  setColor(v.drawing(), {a, b}, Color{5, -1});
              }),
              err::kEntityErased);
    EXPECT_EQ(errorNumberOf([&] { setLayer(v.drawing(), {a, b}, "0"); }), err::kEntityErased);
    EXPECT_EQ(v.drawing().currentLayer(), "Cut");
    EXPECT_EQ(v.drawing().entity(a).props().color.aci, 1);
    EXPECT_EQ(errorNumberOf([&] { setLineWeight(v.drawing(), {a}, 1000); }), err::kBadArgument);
}

TEST(SelectorChanges, ChoicesAndWhatASelectionShares) {
    DrawingContent content;
    content.layers = {Layer{"0"}, Layer{"Hidden", Color{-30, -1}}};
    content.lineTypes = {LineType{"DASHED", "", {1, -1}}, LineType{"CONTINUOUS", "", {}}};
    Drawing d;
    d.load(std::move(content));

    const std::vector<Color> colors = colorChoices(d);
    ASSERT_EQ(colors.size(), 10u);
    EXPECT_EQ(colorName(colors[0]), "BYLAYER");
    EXPECT_EQ(colorName(colors[1]), "BYBLOCK");
    EXPECT_EQ(colorName(colors[2]), "Red");
    EXPECT_EQ(colorName(colors[9]), "Color 30");  // the hidden layer's colour, shown as it is on
    EXPECT_EQ(colorName(Color{7, 0x102030}), "RGB 16,32,48");

    EXPECT_EQ(lineTypeChoices(d),
              (std::vector<std::string>{"", "BYBLOCK", "CONTINUOUS", "DASHED"}));
    EXPECT_EQ(lineTypeName(""), "BYLAYER");
    const auto& weights = lineWeightChoices();
    EXPECT_EQ(lineWeightName(weights.front()), "BYLAYER");
    EXPECT_EQ(lineWeightName(25), "0.25 mm");
    EXPECT_EQ(lineWeightName(weights.back()), "2.11 mm");

    const Handle a = d.add(Entity(LineGeom{}, EntityProps{"0", Color{1, -1}, "DASHED", 25}));
    const Handle b = d.add(Entity(LineGeom{}, EntityProps{"0", Color{1, -1}, "", 25}));
    const SharedProps shared = sharedProps(d, {a, b});
    EXPECT_EQ(shared.color, (Color{1, -1}));
    EXPECT_FALSE(shared.lineType.has_value());
    EXPECT_EQ(shared.lineWeight, 25);
    EXPECT_FALSE(sharedProps(d, {}).color.has_value());
}

}  // namespace
}  // namespace brondel::engine
