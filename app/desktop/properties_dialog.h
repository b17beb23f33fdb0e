#pragma once

#include <QDialog>
#include <vector>

#include "engine/entity_properties.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace brondel::engine {
class Vecad;
}

namespace brondel::desktop {

// The properties of one entity: its layer, colour and defining values
// (a line's ends, an arc's or circle's centre, radius and angles in
// degrees, a point's position, a text's insertion point, height and
// text; other kinds show their extent). OK applies them as one undo step;
// a value the entity cannot take is shown in the dialog, which stays open.
class PropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    PropertiesDialog(engine::Vecad& vecad, engine::Handle handle, QWidget* parent = nullptr);

    // The edit box of a defining value by its label ("End X", "Radius", ...);
    // null when the entity has none.
    QLineEdit* field(const QString& label) const;
    QComboBox* layerBox() const { return layer_; }
    QComboBox* colorBox() const { return color_; }
    QString problem() const;

    void accept() override;

  private:
    // A value as shown: left as it was, it keeps its exact value.
    struct Field {
        QString label;
        QLineEdit* edit;
        QString shown;
        double value;
        double scale;  // shown = value * scale
    };
    void addPoint(QFormLayout& form, const QString& name, const engine::Point3& p);
    void addNumber(QFormLayout& form, const QString& label, double value, double scale = 1);
    // The field's value; throws brondel::Error when it is not a number.
    double read(const QString& label) const;
    engine::Point3 readPoint(const QString& name) const;

    engine::Vecad& vecad_;
    engine::Handle handle_;
    engine::EntityProperties properties_;
    std::vector<engine::Color> colors_;
    QComboBox* layer_ = nullptr;
    QComboBox* color_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLabel* problem_ = nullptr;
    std::vector<Field> fields_;
};

}  // namespace brondel::desktop
