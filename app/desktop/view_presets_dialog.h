#pragma once

#include <QDialog>

namespace brondel::engine {
class ViewPresetsEditor;
}

namespace brondel::desktop {

// 3D Viewpoint Presets: one button per direction, the isometric ones laid
// out as a compass; the current one shows pressed. A press turns the view
// and closes the dialog.
class ViewPresetsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ViewPresetsDialog(engine::ViewPresetsEditor& editor, QWidget* parent = nullptr);
};

}  // namespace brondel::desktop
