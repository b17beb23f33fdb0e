#pragma once

#include <QAbstractListModel>

#include "documents/drawing_window.h"

namespace brondel::desktop {

// A list box's rows as a Qt model that reads the row vector in place: no
// copy per row, so lists of a million rows open at once.
class RowListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    RowListModel(const documents::ListBox& list, QObject* parent);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The rows were replaced.
    void reload();

  private:
    const documents::ListBox& list_;
};

}  // namespace brondel::desktop
