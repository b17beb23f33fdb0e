#include "tests/gui/user_session.h"

#include <QComboBox>

#include "app/desktop/selector_boxes.h"
#include "engine/commands.h"

namespace brondel::desktop {
namespace {

class SelectorBoxesTest : public testing::UserSession {
  protected:
    documents::DrawingWindow& newDrawing() {
        click("mnuFileNew");
        return program.active();
    }
    QComboBox& box(SelectorBoxes::Kind kind) {
        return *frame.toolbarBinding().findChild<SelectorBoxes*>()->box(kind);
    }
    void choose(SelectorBoxes::Kind kind, const QString& text) {
        const int index = box(kind).findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box(kind).setCurrentIndex(index);
        Q_EMIT box(kind).activated(index);
    }
};

TEST_F(SelectorBoxesTest, ALayerBecomesCurrentAndTakesTheSelectionInOneStep) {
    engine::Vecad& v = newDrawing().Vecad1;
    v.AddLayer("Cut", 1, 0, -3);
    const engine::Handle a = v.AddLine(0, 0, 0, 1, 0, 0);
    const engine::Handle b = v.AddLine(0, 1, 0, 1, 1, 0);
    const engine::Handle other = v.AddLine(0, 2, 0, 1, 2, 0);
    v.Update();
    ASSERT_EQ(box(SelectorBoxes::Layers).count(), 2);
    EXPECT_EQ(box(SelectorBoxes::Layers).currentText(), "0");
    EXPECT_FALSE(box(SelectorBoxes::Layers).itemIcon(1).isNull());  // the colour swatch

    v.SelectEntity(a, true);
    v.SelectEntity(b, true);
    choose(SelectorBoxes::Layers, "Cut");
    EXPECT_EQ(v.drawing().currentLayer(), "Cut");
    EXPECT_EQ(v.drawing().entity(a).props().layer, "Cut");
    EXPECT_EQ(v.drawing().entity(b).props().layer, "Cut");
    EXPECT_EQ(v.drawing().entity(other).props().layer, "0");

    // Undoing it as one step is SelectorChanges' (engine); the box follows.
    v.Execute(engine::command::kUndo);
    EXPECT_EQ(v.drawing().entity(a).props().layer, "0");
    EXPECT_EQ(box(SelectorBoxes::Layers).currentText(), "0");
}

TEST_F(SelectorBoxesTest, ColourTypeAndWeightGoToTheSelectedEntities) {
    engine::Vecad& v = newDrawing().Vecad1;
    const engine::Handle a = v.AddLine(0, 0, 0, 1, 0, 0);
    const engine::Handle b = v.AddLine(0, 1, 0, 1, 1, 0);
    v.Update();

    // Nothing selected: nothing changes and the box goes back.
    choose(SelectorBoxes::Colors, "Red");
    EXPECT_EQ(v.drawing().entity(a).props().color.aci, engine::Color::kByLayer);
    EXPECT_EQ(box(SelectorBoxes::Colors).currentText(), "BYLAYER");

    v.SelectEntity(a, true);
    v.SelectEntity(b, true);
    choose(SelectorBoxes::Colors, "Red");
    choose(SelectorBoxes::LineTypes, "CONTINUOUS");
    choose(SelectorBoxes::LineWeights, "0.50 mm");
    for (engine::Handle h : {a, b}) {
        const engine::EntityProps& p = v.drawing().entity(h).props();
        EXPECT_EQ(p.color.aci, 1);
        EXPECT_EQ(p.lineType, "CONTINUOUS");
        EXPECT_EQ(p.lineWeight, 50);
    }
    EXPECT_EQ(box(SelectorBoxes::Colors).currentText(), "Red");  // what the selection shares
}

TEST_F(SelectorBoxesTest, FollowTheActiveDrawing) {
    documents::DrawingWindow& first = newDrawing();
    first.Vecad1.AddLayer("Holes", 3, 0, -3);
    first.Vecad1.Update();
    documents::DrawingWindow& second = newDrawing();
    EXPECT_EQ(box(SelectorBoxes::Layers).count(), 1);
    EXPECT_TRUE(box(SelectorBoxes::Layers).isEnabled());
    program.main.activate(&first);
    EXPECT_EQ(box(SelectorBoxes::Layers).count(), 2);
    // Changes to a drawing in the background do not reach the boxes.
    second.Vecad1.AddLayer("Other", 2, 0, -3);
    second.Vecad1.Update();
    EXPECT_EQ(box(SelectorBoxes::Layers).findText("Other"), -1);
    program.dialogs().answer(ports::Answer::No).answer(ports::Answer::No);  // do not save
    program.main.closeWindow(first);
    program.main.closeWindow(second);
    EXPECT_FALSE(box(SelectorBoxes::Layers).isEnabled());
    EXPECT_EQ(box(SelectorBoxes::Layers).count(), 0);
}

}  // namespace
}  // namespace brondel::desktop
