#pragma once
// The rows of a data grid as a Qt table model: a snapshot of DBGrid::Rows(), replaced
// whenever the grid's cursor tells of a change.
#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <vector>

namespace velcaro::qt {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces what the view shows; a no-op when nothing differs (the view keeps its scroll
    // position and selection).
    void SetContents(QStringList titles, std::vector<std::vector<std::string>> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList titles_;
    std::vector<std::vector<std::string>> rows_;
};

} // namespace velcaro::qt
