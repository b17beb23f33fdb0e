#include "app/desktop/qt_ports.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <algorithm>

#include "app/desktop/color_dialog.h"
#include "app/desktop/dimension_style_dialog.h"
#include "app/desktop/file_filter.h"
#include "app/desktop/image_manager_dialog.h"
#include "app/desktop/layer_dialog.h"
#include "app/desktop/view_presets_dialog.h"
#include "engine/current_properties_editor.h"

namespace brondel::desktop {

namespace {

QMessageBox::Icon qtIcon(ports::Icon icon) {
    switch (icon) {
        case ports::Icon::Information:
            return QMessageBox::Information;
        case ports::Icon::Exclamation:
            return QMessageBox::Warning;
        case ports::Icon::Question:
            return QMessageBox::Question;
        case ports::Icon::Critical:
            return QMessageBox::Critical;
        case ports::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(ports::Buttons buttons) {
    switch (buttons) {
        case ports::Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case ports::Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case ports::Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QString titleOrApplication(const std::string& title) {
    return QString::fromStdString(title.empty() ? ports::kApplicationTitle : title);
}

ports::SaveAnswer runFileDialog(const ports::FileDialogSetup& setup, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(setup.title));
    dialog.setAcceptMode(mode);
    dialog.setFileMode((setup.flags & ports::file_flags::kFileMustExist) != 0 ||
                               mode == QFileDialog::AcceptOpen
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    if ((setup.flags & ports::file_flags::kOverwritePrompt) == 0) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    const QStringList filters = qtNameFilters(setup.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = std::clamp<qsizetype>(setup.filterIndex, 1, filters.size()) - 1;
        dialog.selectNameFilter(filters[index]);
    }
    // A name typed without an extension gets the chosen filter's, or else
    // the one the program asks for.
    const QString fallback = QString::fromStdString(setup.defaultExt);
    const auto followFilter = [&dialog, &fallback](const QString& filter) {
        const QString suffix = filterSuffix(filter);
        dialog.setDefaultSuffix(suffix.isEmpty() ? fallback : suffix);
    };
    followFilter(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    if (!setup.initialName.empty()) {
        dialog.selectFile(QString::fromStdString(setup.initialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const qsizetype type = filters.indexOf(dialog.selectedNameFilter());
    return {dialog.selectedFiles().first().toStdString(),
            type < 0 ? setup.filterIndex : static_cast<int>(type) + 1};
}

}  // namespace

ports::Answer QtDialogs::messageBox(const std::string& text, ports::Buttons buttons,
                                    ports::Icon icon, const std::string& title) {
    QMessageBox box(qtIcon(icon), titleOrApplication(title), displayText(text), qtButtons(buttons),
                    QApplication::activeWindow());
    switch (box.exec()) {
        case QMessageBox::Yes:
            return ports::Answer::Yes;
        case QMessageBox::No:
            return ports::Answer::No;
        case QMessageBox::Cancel:
            return ports::Answer::Cancel;
        default:
            // Escape on a box without Cancel answers its only way out.
            return buttons == ports::Buttons::Ok ? ports::Answer::Ok : ports::Answer::No;
    }
}

void QtDialogs::formatLayers(engine::LayerEditor& editor) {
    LayerDialog dialog(editor, QApplication::activeWindow());
    dialog.exec();
}

void QtDialogs::manageImages(engine::ImageEditor& editor) {
    ImageManagerDialog dialog(editor, QApplication::activeWindow());
    dialog.exec();
}

void QtDialogs::formatDimensionStyle(engine::DimStyleEditor& editor) {
    DimensionStyleDialog dialog(editor, QApplication::activeWindow());
    dialog.exec();
}

std::optional<std::string> QtDialogs::chooseName(const std::string& title,
                                                 const std::vector<std::string>& names) {
    QStringList items;
    for (const std::string& name : names) {
        items.append(QString::fromStdString(name));
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        QApplication::activeWindow(), titleOrApplication(title), QString(), items, 0, false, &ok);
    return ok ? chosen.toStdString() : std::string();
}

void QtDialogs::formatCurrentProperties(engine::CurrentPropertiesEditor& editor) {
    if (editor.kind() == engine::CurrentPropertiesEditor::Kind::LineWeight) {
        ports::typedEditing(*this, editor);
        return;
    }
    CurrentColorDialog dialog(editor, QApplication::activeWindow());
    dialog.exec();
}

void QtDialogs::viewPresets(engine::ViewPresetsEditor& editor) {
    ViewPresetsDialog dialog(editor, QApplication::activeWindow());
    dialog.exec();
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(titleOrApplication(title));
    dialog.setLabelText(displayText(prompt));
    dialog.setTextValue(QString::fromStdString(defaultText));
    // A long prompt (the Format editors list what they hold) wraps instead of
    // widening the box past the screen and its buttons out of sight.
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setWordWrap(true);
    }
    return dialog.exec() == QDialog::Accepted ? dialog.textValue().toStdString() : std::string();
}

std::string QtDialogs::openFile(const ports::FileDialogSetup& setup) {
    return runFileDialog(setup, QFileDialog::AcceptOpen).path;
}

std::string QtDialogs::saveFile(const ports::FileDialogSetup& setup) {
    return runFileDialog(setup, QFileDialog::AcceptSave).path;
}

ports::SaveAnswer QtDialogs::saveFileWithType(const ports::FileDialogSetup& setup) {
    return runFileDialog(setup, QFileDialog::AcceptSave);
}

QtPump::QtPump() {
    sinceLast_.start();
}

void QtPump::runOnce() {
    if (sinceLast_.elapsed() < wait_) {
        return;
    }
    sinceLast_.restart();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    wait_ = std::max<qint64>(kIntervalMs, kWorkShare * sinceLast_.elapsed());
    sinceLast_.restart();
}

}  // namespace brondel::desktop
