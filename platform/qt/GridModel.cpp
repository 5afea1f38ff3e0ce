#include "platform/qt/GridModel.h"

#include "platform/qt/QtText.h"

namespace velcaro::qt {

void GridModel::SetContents(QStringList titles, std::vector<std::vector<std::string>> rows) {
    if (titles == titles_ && rows == rows_)
        return;
    beginResetModel();
    titles_ = std::move(titles);
    rows_ = std::move(rows);
    endResetModel();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const auto& row = rows_[static_cast<size_t>(index.row())];
    const auto col = static_cast<size_t>(index.column());
    return col < row.size() ? ToQt(row[col]) : QString();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < titles_.size() ? titles_[section] : QVariant();
    return {};
}

} // namespace velcaro::qt
