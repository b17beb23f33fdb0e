#include "app/desktop/layer_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include "app/desktop/table_dialog_frame.h"
#include "engine/drawing.h"
#include "engine/layer_editor.h"

namespace brondel::desktop {

namespace {

QTableWidgetItem* flag(bool on) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    return item;
}

QTableWidgetItem* text(const std::string& value, bool editable = true) {
    auto* item = new QTableWidgetItem(QString::fromStdString(value));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable) {
        flags |= Qt::ItemIsEditable;
    }
    item->setFlags(flags);
    return item;
}

}  // namespace

LayerDialog::LayerDialog(engine::LayerEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    setWindowTitle(tr("Format Layers"));
    table_ = makeRowTable({tr("Current"), tr("Name"), tr("On"), tr("Frozen"), tr("Locked"),
                           tr("Colour"), tr("Line type"), tr("Weight")});
    table_->setToolTip(
        tr("Colour: 1 to 255. Weight: hundredths of a millimetre (0 to 211), -3 for the default"));
    connect(table_, &QTableWidget::itemChanged, this, &LayerDialog::edited);

    auto* add = new QPushButton(tr("&New layer"));
    auto* remove = new QPushButton(tr("&Delete"));
    auto* current = new QPushButton(tr("Set &current"));
    connect(add, &QPushButton::clicked, this, &LayerDialog::addLayer);
    connect(remove, &QPushButton::clicked, this, &LayerDialog::deleteLayer);
    connect(current, &QPushButton::clicked, this, &LayerDialog::makeCurrent);
    problem_ = frameTableDialog(*this, {add, remove, current}, table_, 360);
    reload();
}

QString LayerDialog::problem() const {
    return problem_->text();
}

void LayerDialog::reload() {
    const QSignalBlocker quiet(table_);
    const engine::Drawing& d = editor_.drawing();
    table_->setRowCount(static_cast<int>(d.layers().size()));
    int row = 0;
    for (const engine::Layer& l : d.layers()) {
        table_->setItem(row, Current, text(l.name == d.currentLayer() ? "\u2714" : "", false));
        table_->setItem(row, Name, text(l.name));
        table_->setItem(row, On, flag(l.on));
        table_->setItem(row, Frozen, flag(l.frozen));
        table_->setItem(row, Locked, flag(l.locked));
        table_->setItem(row, Colour, text(std::to_string(l.color.aci)));
        table_->setItem(row, LineType, text(l.lineType));
        table_->setItem(row, Weight, text(std::to_string(l.lineWeight)));
        table_->item(row, Name)->setData(Qt::UserRole, QString::fromStdString(l.name));
        ++row;
    }
    table_->resizeColumnsToContents();
}

void LayerDialog::showRefusal(const std::string& refusal) {
    problem_->setText(QString::fromStdString(refusal));
    reload();
}

void LayerDialog::edited(QTableWidgetItem* item) {
    const std::string name =
        table_->item(item->row(), Name)->data(Qt::UserRole).toString().toStdString();
    const std::string value = item->text().trimmed().toStdString();
    const bool checked = item->checkState() == Qt::Checked;
    bool whole = false;
    const int number = item->text().trimmed().toInt(&whole);
    std::string refusal;
    switch (item->column()) {
        case Name:
            refusal = editor_.rename(name, value);
            break;
        case On:
            refusal = editor_.setOn(name, checked);
            break;
        case Frozen:
            refusal = editor_.setFrozen(name, checked);
            break;
        case Locked:
            refusal = editor_.setLocked(name, checked);
            break;
        case Colour:
            refusal = whole ? editor_.setColor(name, number) : "Not a whole number: " + value;
            break;
        case LineType:
            refusal = editor_.setLineType(name, value);
            break;
        case Weight:
            refusal = whole ? editor_.setLineWeight(name, number) : "Not a whole number: " + value;
            break;
        default:
            return;
    }
    showRefusal(refusal);
}

std::string LayerDialog::selectedName() const {
    const int row = table_->currentRow();
    if (row < 0) {
        return {};
    }
    return table_->item(row, Name)->data(Qt::UserRole).toString().toStdString();
}

void LayerDialog::addLayer() {
    std::string name;
    for (int n = 1; name.empty() || editor_.drawing().findLayer(name); ++n) {
        name = "Layer" + std::to_string(n);
    }
    showRefusal(editor_.add(name));
    table_->setCurrentCell(table_->rowCount() - 1, Name);
}

void LayerDialog::deleteLayer() {
    const std::string name = selectedName();
    showRefusal(name.empty() ? "Choose a layer first" : editor_.remove(name));
}

void LayerDialog::makeCurrent() {
    const std::string name = selectedName();
    showRefusal(name.empty() ? "Choose a layer first" : editor_.setCurrent(name));
}

}  // namespace brondel::desktop
