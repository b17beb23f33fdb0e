#include "app/desktop/row_list_model.h"

#include <limits>

namespace brondel::desktop {

RowListModel::RowListModel(const documents::ListBox& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int RowListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    constexpr std::size_t kMax = std::numeric_limits<int>::max();
    return static_cast<int>(std::min(list_.rows.size(), kMax));
}

QVariant RowListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= list_.rows.size()) {
        return {};
    }
    return QString::fromStdString(list_.rows[static_cast<std::size_t>(index.row())]);
}

void RowListModel::reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace brondel::desktop
