#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QTableWidget;

namespace brondel::engine {
class ImageEditor;
}

namespace brondel::desktop {

// Image Manager: one row a picture file with its state; each button makes
// its change at once as one undo step, a refusal is named under the table.
class ImageManagerDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ImageManagerDialog(engine::ImageEditor& editor, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }

  private:
    enum Column { File, State, Images, Path };
    void reload();
    void apply(const std::string& refusal);
    std::string selectedFile() const;
    void repath();

    engine::ImageEditor& editor_;
    QTableWidget* table_ = nullptr;
    QLabel* problem_ = nullptr;
};

}  // namespace brondel::desktop
