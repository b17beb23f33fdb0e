#pragma once

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace brondel::engine {
class DimStyleEditor;
struct DimStyle;
}  // namespace brondel::engine

namespace brondel::desktop {

// Format Dimension Style: the current style's sizes in fields that take
// only values in range. OK applies them all as one undo step; a refusal is
// named under the fields and the dialog stays open.
class DimensionStyleDialog : public QDialog {
    Q_OBJECT
  public:
    explicit DimensionStyleDialog(engine::DimStyleEditor& editor, QWidget* parent = nullptr);

    QString problem() const;
    // The style the fields hold now.
    engine::DimStyle edited() const;
    void setTextHeight(double height);
    // Applies the fields; true when the editor took them.
    bool applyFields();

  private:
    QDoubleSpinBox* sizeField(double value, double least);

    engine::DimStyleEditor& editor_;
    QDoubleSpinBox* textHeight_ = nullptr;
    QDoubleSpinBox* arrowSize_ = nullptr;
    QDoubleSpinBox* extOffset_ = nullptr;
    QDoubleSpinBox* extExtension_ = nullptr;
    QDoubleSpinBox* textGap_ = nullptr;
    QDoubleSpinBox* centerMark_ = nullptr;
    QSpinBox* decimals_ = nullptr;
    QCheckBox* textAbove_ = nullptr;
    QLabel* problem_ = nullptr;
};

}  // namespace brondel::desktop
