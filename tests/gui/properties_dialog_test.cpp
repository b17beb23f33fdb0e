#include "tests/gui/user_session.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/desktop/properties_dialog.h"

namespace brondel::desktop {
namespace {

using engine::Point3;

const engine::LineGeom& lineOf(engine::Vecad& v, engine::Handle h) {
    return *engine::geomIf<engine::LineGeom>(v.drawing().entity(h));
}

// The edit as one undo step is EntityProperties' (engine).
TEST(PropertiesDialog, EditsALinesEndPointAndLayer) {
    engine::Vecad v;
    v.AddLayer("Cut", 1, 0, -3);
    const engine::Handle line = v.AddLine(0, 0, 0, 10, 0, 0);
    PropertiesDialog dialog(v, line);
    ASSERT_NE(dialog.field("End Y"), nullptr);
    EXPECT_EQ(dialog.field("End X")->text(), "10");
    dialog.field("End Y")->setText("5.25");
    dialog.layerBox()->setCurrentText("Cut");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(lineOf(v, line).p2, (Point3{10, 5.25, 0}));
    EXPECT_EQ(v.drawing().entity(line).props().layer, "Cut");
}

TEST(PropertiesDialog, ABadValueIsShownAndTheDialogStaysOpen) {
    engine::Vecad v;
    const engine::Handle circle = v.drawing().add(engine::Entity(engine::CircleGeom{{1, 2, 0}, 3}));
    const std::string lastStep = v.drawing().undoLabel();
    PropertiesDialog dialog(v, circle);
    dialog.show();
    dialog.field("Radius")->setText("-1");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.problem().isEmpty());
    dialog.field("Radius")->setText("2 cm");
    dialog.accept();
    EXPECT_TRUE(dialog.problem().contains("Radius"));
    EXPECT_EQ(v.drawing().undoLabel(), lastStep);
    dialog.reject();
}

TEST(PropertiesDialog, UntouchedValuesInDegreesChangeNothing) {
    engine::Vecad v;
    const engine::Handle arc =
        v.drawing().add(engine::Entity(engine::ArcGeom{{0, 0, 0}, 2, 0.1, 1.2345678901}));
    const std::string lastStep = v.drawing().undoLabel();
    PropertiesDialog dialog(v, arc);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(v.drawing().undoLabel(), lastStep);

    PropertiesDialog again(v, arc);
    again.field("Included angle")->setText("-90");
    again.accept();
    EXPECT_DOUBLE_EQ(engine::geomIf<engine::ArcGeom>(v.drawing().entity(arc))->angle,
                     -engine::kPi / 2);
    EXPECT_EQ(engine::geomIf<engine::ArcGeom>(v.drawing().entity(arc))->startAngle, 0.1);
}

using PropertiesCommand = testing::UserSession;

TEST_F(PropertiesCommand, TheEditMenuShowsItForTheSelectedEntity) {
    click("mnuFileNew");
    engine::Vecad& v = program.active().Vecad1;
    const engine::Handle line = v.AddLine(0, 0, 0, 4, 4, 0);

    program.main.click("mnuEditProp");
    ASSERT_EQ(program.dialogs().messages().size(), 1u);
    EXPECT_EQ(program.dialogs().messages()[0].text, "Nothing selected");

    v.SelectEntity(line, true);
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<PropertiesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        dialog->field("Start X")->setText("-2");
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    program.main.click("mnuEditProp");
    EXPECT_TRUE(shown);
    EXPECT_EQ(lineOf(v, line).p1, (Point3{-2, 0, 0}));
    EXPECT_EQ(program.dialogs().messages().size(), 1u);
}

}  // namespace
}  // namespace brondel::desktop
