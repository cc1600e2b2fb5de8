#pragma once
// Draws one cell of the list grid: the row's back colour, the picture or the text in the
// column's alignment, the cell lines, and the marks of the current cell and row.

#include <QStyledItemDelegate>

namespace controls {

class TxGrid;

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(TxGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    TxGrid* grid_;
};

} // namespace controls
