#include "tests/gui/user_session.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>

#include "app/desktop/qt_ports.h"

// Save As as the user meets it: a name typed without an extension, and the
// window's caption and file-name panel afterwards.
namespace brondel::desktop {
namespace {

using SaveAsTest = testing::UserSession;

// Answers the save dialog, once it is open, with name under the filter
// at filterIndex.
void answerSaveDialog(const QString& name, int filterIndex) {
    QTimer::singleShot(0, [name, filterIndex] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        // As the user picks the filter from the dialog's list of types.
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        types->setCurrentIndex(filterIndex);
        Q_EMIT types->activated(filterIndex);
        Q_EMIT types->textActivated(types->itemText(filterIndex));
        dialog->selectFile(name);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides it
    });
}

TEST_F(SaveAsTest, ANameWithoutExtensionGetsTheChosenFiltersOne) {
    ports::FileDialogSetup setup;
    setup.title = "Save Drawing";
    setup.filter = "DXF File (*.dxf)|*.dxf|DWG File (*.dwg)|*.dwg|VEC File (*.vec)|*.vec";
    setup.filterIndex = 1;
    QtDialogs dialogs;
    const struct {
        const char* typed;
        int filter;
        const char* chosen;
    } cases[] = {{"rib", 0, "rib.dxf"}, {"rib", 2, "rib.vec"}, {"rib.vec", 0, "rib.vec"}};
    for (const auto& c : cases) {
        answerSaveDialog(program.folder.file(c.typed).c_str(), c.filter);
        EXPECT_EQ(dialogs.saveFile(setup), program.folder.file(c.chosen)) << c.typed;
    }
}

TEST_F(SaveAsTest, CaptionAndFileNamePanelFollowTheNewName) {
    click("mnuFileNew");
    program.active().Vecad1.AddLine(0, 0, 0, 10, 10, 0);
    const std::string path = program.folder.file("rib.dxf");
    program.dialogs().save(path);
    click("mnuSaveAs");
    EXPECT_EQ(program.active().Vecad1.GetFileName(), path);
    EXPECT_EQ(activeFrame().windowTitle(), "rib.dxf");
    EXPECT_EQ(frame.statusPanel(2)->text().toStdString(), path);
}

}  // namespace
}  // namespace brondel::desktop
