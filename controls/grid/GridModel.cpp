#include "controls/grid/GridModel.h"

namespace controls {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const GridRow& r = row(index.row());
    const GridCell& cell = r.Cells[std::size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return cell.Text;
    case Qt::DecorationRole:
        return cell.Picture.isNull() ? QVariant() : QVariant(cell.Picture);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(index.column()) | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columns_)
            return {};
        if (role == Qt::DisplayRole)
            return caption(section);
        return QVariant::fromValue(headerAlignment(section) | Qt::AlignVCenter);
    }
    if (section < 0 || section >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return row(section).HeaderText;
    return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void GridModel::setColumns(int count) {
    if (count == columns_)
        return;
    const bool grow = count > columns_;
    if (grow)
        beginInsertColumns({}, columns_, count - 1);
    else
        beginRemoveColumns({}, count, columns_ - 1);
    columns_ = count;
    captions_.resize(std::size_t(count));
    alignments_.resize(std::size_t(count), Qt::AlignLeft);
    headerAlignments_.resize(std::size_t(count), Qt::AlignLeft);
    for (GridRow& r : rows_)
        r.Cells.resize(std::size_t(count));
    if (grow)
        endInsertColumns();
    else
        endRemoveColumns();
}

void GridModel::insertRowsAt(int at, int count) {
    beginInsertRows({}, at, at + count - 1);
    GridRow blank;
    blank.Cells.resize(std::size_t(columns_));
    rows_.insert(rows_.begin() + at, std::size_t(count), blank);
    endInsertRows();
}

void GridModel::removeRowsAt(int at, int count) {
    beginRemoveRows({}, at, at + count - 1);
    rows_.erase(rows_.begin() + at, rows_.begin() + at + count);
    endRemoveRows();
}

void GridModel::moveRowTo(int from, int to) {
    // Qt names the destination as the row before which the moved row lands.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    GridRow moved = std::move(rows_[std::size_t(from)]);
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, std::move(moved));
    endMoveRows();
}

void GridModel::rowChanged(int r) {
    if (columns_ > 0)
        emit dataChanged(index(r, 0), index(r, columns_ - 1));
}

void GridModel::cellChanged(int col, int r) {
    const QModelIndex i = index(r, col);
    emit dataChanged(i, i);
}

void GridModel::headerChanged(Qt::Orientation orientation, int section) {
    emit headerDataChanged(orientation, section, section);
}

} // namespace controls
