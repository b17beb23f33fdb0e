#include "app/desktop/properties_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>
#include <algorithm>

#include "base/error.h"
#include "engine/vecad.h"

namespace brondel::desktop {

namespace {

constexpr double kDegrees = 180 / engine::kPi;

QString number(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString typeTitle(engine::EntityType type) {
    const QString name = QString::fromLatin1(engine::typeName(type)).toLower();
    return name.left(1).toUpper() + name.mid(1);
}

}  // namespace

PropertiesDialog::PropertiesDialog(engine::Vecad& vecad, engine::Handle handle, QWidget* parent)
    : QDialog(parent),
      vecad_(vecad),
      handle_(handle),
      properties_(engine::readProperties(vecad.drawing(), handle)) {
    setWindowTitle(tr("Properties"));
    const engine::Drawing& drawing = vecad.drawing();
    auto* form = new QFormLayout;
    form->addRow(tr("Kind"), new QLabel(typeTitle(properties_.type)));

    layer_ = new QComboBox;
    for (const engine::Layer& layer : drawing.layers()) {
        layer_->addItem(QString::fromStdString(layer.name));
    }
    layer_->setCurrentText(QString::fromStdString(properties_.props.layer));
    form->addRow(tr("Layer"), layer_);

    color_ = new QComboBox;
    colors_ = engine::colorChoices(drawing);
    if (std::find(colors_.begin(), colors_.end(), properties_.props.color) == colors_.end()) {
        colors_.push_back(properties_.props.color);
    }
    for (const engine::Color& c : colors_) {
        color_->addItem(QString::fromStdString(engine::colorName(c)));
    }
    color_->setCurrentIndex(
        int(std::find(colors_.begin(), colors_.end(), properties_.props.color) - colors_.begin()));
    form->addRow(tr("Colour"), color_);

    const engine::EntityProperties& p = properties_;
    switch (p.shape) {
        case engine::PropertyShape::Line:
            addPoint(*form, tr("Start"), p.p1);
            addPoint(*form, tr("End"), p.p2);
            break;
        case engine::PropertyShape::Arc:
            addPoint(*form, tr("Centre"), p.center);
            addNumber(*form, tr("Radius"), p.radius);
            addNumber(*form, tr("Start angle"), p.startAngle, kDegrees);
            addNumber(*form, tr("Included angle"), p.angle, kDegrees);
            break;
        case engine::PropertyShape::Circle:
            addPoint(*form, tr("Centre"), p.center);
            addNumber(*form, tr("Radius"), p.radius);
            break;
        case engine::PropertyShape::Point:
            addPoint(*form, tr("Position"), p.p1);
            break;
        case engine::PropertyShape::Text:
            addPoint(*form, tr("Insertion"), p.p1);
            addNumber(*form, tr("Height"), p.height);
            text_ = new QLineEdit(QString::fromStdString(p.text));
            form->addRow(tr("Text"), text_);
            break;
        case engine::PropertyShape::Other:
            form->addRow(tr("Extent"),
                         new QLabel(tr("%1, %2 to %3, %4")
                                        .arg(number(p.box.minX), number(p.box.minY),
                                             number(p.box.maxX), number(p.box.maxY))));
            break;
    }

    problem_ = new QLabel;
    problem_->setStyleSheet(QStringLiteral("color: #b00000"));
    problem_->setWordWrap(true);
    problem_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertiesDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
}

void PropertiesDialog::addPoint(QFormLayout& form, const QString& name, const engine::Point3& p) {
    addNumber(form, name + QStringLiteral(" X"), p.x);
    addNumber(form, name + QStringLiteral(" Y"), p.y);
    addNumber(form, name + QStringLiteral(" Z"), p.z);
}

void PropertiesDialog::addNumber(QFormLayout& form, const QString& label, double value,
                                 double scale) {
    const QString shown = number(value * scale);
    auto* edit = new QLineEdit(shown);
    form.addRow(label, edit);
    fields_.push_back({label, edit, shown, value, scale});
}

QLineEdit* PropertiesDialog::field(const QString& label) const {
    for (const Field& f : fields_) {
        if (f.label == label) {
            return f.edit;
        }
    }
    return nullptr;
}

QString PropertiesDialog::problem() const {
    return problem_->isHidden() ? QString() : problem_->text();
}

double PropertiesDialog::read(const QString& label) const {
    for (const Field& f : fields_) {
        if (f.label != label) {
            continue;
        }
        const QString text = f.edit->text().trimmed();
        if (text == f.shown) {
            return f.value;
        }
        bool ok = false;
        const double shown = text.toDouble(&ok);
        if (!ok) {
            throw Error(err::kTypeMismatch, (label + tr(" is not a number")).toStdString());
        }
        return shown / f.scale;
    }
    return 0;
}

engine::Point3 PropertiesDialog::readPoint(const QString& name) const {
    return {read(name + QStringLiteral(" X")), read(name + QStringLiteral(" Y")),
            read(name + QStringLiteral(" Z"))};
}

void PropertiesDialog::accept() {
    engine::EntityProperties edited = properties_;
    try {
        edited.props.layer = layer_->currentText().toStdString();
        edited.props.color = colors_.at(std::size_t(std::max(0, color_->currentIndex())));
        switch (edited.shape) {
            case engine::PropertyShape::Line:
                edited.p1 = readPoint(tr("Start"));
                edited.p2 = readPoint(tr("End"));
                break;
            case engine::PropertyShape::Arc:
                edited.center = readPoint(tr("Centre"));
                edited.radius = read(tr("Radius"));
                edited.startAngle = read(tr("Start angle"));
                edited.angle = read(tr("Included angle"));
                break;
            case engine::PropertyShape::Circle:
                edited.center = readPoint(tr("Centre"));
                edited.radius = read(tr("Radius"));
                break;
            case engine::PropertyShape::Point:
                edited.p1 = readPoint(tr("Position"));
                break;
            case engine::PropertyShape::Text:
                edited.p1 = readPoint(tr("Insertion"));
                edited.height = read(tr("Height"));
                edited.text = text_->text().toStdString();
                break;
            case engine::PropertyShape::Other:
                break;
        }
        if (engine::applyProperties(vecad_.drawing(), handle_, edited)) {
            vecad_.Update();
        }
    } catch (const Error& e) {
        problem_->setText(QString::fromStdString(e.description()));
        problem_->show();
        return;
    }
    QDialog::accept();
}

}  // namespace brondel::desktop
