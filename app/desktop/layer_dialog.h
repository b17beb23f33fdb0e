#pragma once

#include <QDialog>

class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace brondel::engine {
class LayerEditor;
}

namespace brondel::desktop {

// Format Layers: one row a layer, edited in place. Each edit is applied at
// once as one undo step; a refused one is named under the table and the
// row shows the layer as it still is.
class LayerDialog : public QDialog {
    Q_OBJECT
  public:
    explicit LayerDialog(engine::LayerEditor& editor, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    QString problem() const;

  private:
    enum Column { Current, Name, On, Frozen, Locked, Colour, LineType, Weight };
    void reload();
    void edited(QTableWidgetItem* item);
    void showRefusal(const std::string& refusal);
    void addLayer();
    void deleteLayer();
    void makeCurrent();
    std::string selectedName() const;

    engine::LayerEditor& editor_;
    QTableWidget* table_ = nullptr;
    QLabel* problem_ = nullptr;
};

}  // namespace brondel::desktop
