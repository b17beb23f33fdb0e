#pragma once

#include <QDialog>

class QLabel;

namespace brondel::engine {
class CurrentPropertiesEditor;
struct Color;
}  // namespace brondel::engine

namespace brondel::desktop {

// Format Colors: the colour new entities take, picked from ByLayer, ByBlock,
// the 255 indexed colours laid out as a palette grid, or a true colour from
// the colour chooser. A pick is one undo step and closes the dialog; a
// refusal is named in it and it stays open.
class CurrentColorDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CurrentColorDialog(engine::CurrentPropertiesEditor& editor, QWidget* parent = nullptr);

    // What a press on a swatch or a button does.
    void pick(const engine::Color& color);

  private:
    engine::CurrentPropertiesEditor& editor_;
    QLabel* problem_ = nullptr;
};

}  // namespace brondel::desktop
