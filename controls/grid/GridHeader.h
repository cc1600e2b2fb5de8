#pragma once
// The header row (row -1) and the row-header column (column -1) of the list grid, drawn in the
// grid's fixed colours and sized by the grid rather than by their contents.

#include <QHeaderView>

namespace controls {

class TxGrid;

class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    GridHeader(Qt::Orientation orientation, TxGrid* grid);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    TxGrid* grid_;
};

} // namespace controls
