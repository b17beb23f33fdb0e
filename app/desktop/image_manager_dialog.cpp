#include "app/desktop/image_manager_dialog.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "app/desktop/file_filter.h"
#include "app/desktop/table_dialog_frame.h"
#include "engine/image_editor.h"
#include "engine/image_paths.h"

namespace brondel::desktop {

namespace {

QTableWidgetItem* cell(const std::string& value) {
    auto* item = new QTableWidgetItem(QString::fromStdString(value));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

ImageManagerDialog::ImageManagerDialog(engine::ImageEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    setWindowTitle(tr("Image Manager"));
    table_ = makeRowTable({tr("File"), tr("State"), tr("Images"), tr("Path")});

    auto* reloadButton = new QPushButton(tr("&Reload"));
    auto* repathButton = new QPushButton(tr("Re-&path..."));
    auto* detachButton = new QPushButton(tr("&Detach"));
    connect(reloadButton, &QPushButton::clicked, this,
            [this] { apply(editor_.reload(selectedFile())); });
    connect(repathButton, &QPushButton::clicked, this, &ImageManagerDialog::repath);
    connect(detachButton, &QPushButton::clicked, this,
            [this] { apply(editor_.detach(selectedFile())); });
    problem_ = frameTableDialog(*this, {reloadButton, repathButton, detachButton}, table_, 300);
    reload();
}

void ImageManagerDialog::reload() {
    const auto rows = editor_.rows();
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < table_->rowCount(); ++i) {
        const engine::ImageEditor::Row& row = rows[static_cast<std::size_t>(i)];
        table_->setItem(i, File, cell(row.file));
        table_->setItem(i, State, cell(row.found ? "found" : "missing"));
        table_->setItem(i, Images, cell(std::to_string(row.images)));
        table_->setItem(i, Path, cell(row.path));
    }
    if (table_->currentRow() < 0 && table_->rowCount() > 0) {
        table_->selectRow(0);
    }
}

void ImageManagerDialog::apply(const std::string& refusal) {
    problem_->setText(QString::fromStdString(refusal));
    reload();
}

std::string ImageManagerDialog::selectedFile() const {
    const QTableWidgetItem* item = table_->item(table_->currentRow(), File);
    return item ? item->text().toStdString() : std::string();
}

void ImageManagerDialog::repath() {
    const std::string file = selectedFile();
    if (file.empty()) {
        return;
    }
    const QString chosen = QFileDialog::getOpenFileName(
        this, tr("Re-path %1").arg(QString::fromStdString(file)), QString(),
        qtNameFilters(engine::kPictureFileFilter).join(QStringLiteral(";;")));
    if (!chosen.isEmpty()) {
        apply(editor_.repath(file, chosen.toStdString()));
    }
}

}  // namespace brondel::desktop
