#include "app/desktop/dimension_style_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/dimension_style_editor.h"

namespace brondel::desktop {

namespace {

// As the editor's limits: larger sizes are typing slips.
constexpr double kLargest = 1e6;

}  // namespace

DimensionStyleDialog::DimensionStyleDialog(engine::DimStyleEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    setWindowTitle(tr("Format Dimension Style"));
    const engine::DimStyle& s = editor_.style();
    textHeight_ = sizeField(s.textHeight, 0.001);
    arrowSize_ = sizeField(s.arrowSize, 0);
    extOffset_ = sizeField(s.extOffset, 0);
    extExtension_ = sizeField(s.extExtension, 0);
    textGap_ = sizeField(s.textGap, 0);
    centerMark_ = sizeField(s.centerMark, 0);
    decimals_ = new QSpinBox;
    decimals_->setRange(0, 8);
    decimals_->setValue(s.decimals);
    textAbove_ = new QCheckBox(tr("Above the dimension line (otherwise centred on it)"));
    textAbove_->setChecked(s.textAbove);

    auto* form = new QFormLayout;
    form->addRow(new QLabel(tr("Style: %1").arg(QString::fromStdString(s.name))));
    form->addRow(tr("&Text height"), textHeight_);
    form->addRow(tr("&Arrow size"), arrowSize_);
    form->addRow(tr("Extension line &offset"), extOffset_);
    form->addRow(tr("&Extension past the line"), extExtension_);
    form->addRow(tr("Text &gap"), textGap_);
    form->addRow(tr("&Decimals"), decimals_);
    form->addRow(tr("Text placement"), textAbove_);
    form->addRow(tr("&Centre mark size"), centerMark_);

    problem_ = new QLabel;
    problem_->setStyleSheet(QStringLiteral("color: #b00020"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (applyFields()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

QDoubleSpinBox* DimensionStyleDialog::sizeField(double value, double least) {
    auto* field = new QDoubleSpinBox;
    field->setDecimals(4);
    field->setRange(least, kLargest);
    field->setSingleStep(0.5);
    field->setValue(value);
    return field;
}

QString DimensionStyleDialog::problem() const {
    return problem_->text();
}

engine::DimStyle DimensionStyleDialog::edited() const {
    engine::DimStyle s = editor_.style();
    s.textHeight = textHeight_->value();
    s.arrowSize = arrowSize_->value();
    s.extOffset = extOffset_->value();
    s.extExtension = extExtension_->value();
    s.textGap = textGap_->value();
    s.centerMark = centerMark_->value();
    s.decimals = decimals_->value();
    s.textAbove = textAbove_->isChecked();
    return s;
}

void DimensionStyleDialog::setTextHeight(double height) {
    textHeight_->setValue(height);
}

bool DimensionStyleDialog::applyFields() {
    const std::string refusal = editor_.apply(edited());
    problem_->setText(QString::fromStdString(refusal));
    return refusal.empty();
}

}  // namespace brondel::desktop
