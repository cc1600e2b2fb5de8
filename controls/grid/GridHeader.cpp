#include "controls/grid/GridHeader.h"

#include "controls/grid/TxGrid.h"

#include <QPainter>

namespace controls {

GridHeader::GridHeader(Qt::Orientation orientation, TxGrid* grid)
    : QHeaderView(orientation, grid), grid_(grid) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
}

QSize GridHeader::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    if (orientation() == Qt::Horizontal)
        size.setHeight(grid_->DefHeight());
    else
        size.setWidth(grid_->ColWidth(-1));
    return size;
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const TxGridColors& colors = grid_->Colors();
    const bool columnHeader = orientation() == Qt::Horizontal;
    const QString text = columnHeader ? grid_->Cells(logicalIndex, -1) : grid_->Cells(-1, logicalIndex);
    const Qt::Alignment align =
        (columnHeader ? grid_->HeaderAlignment(logicalIndex) : Qt::AlignLeft) | Qt::AlignVCenter;

    painter->save();
    painter->fillRect(rect, colors.FixedBackColor);
    painter->setPen(colors.FixedBorderColor);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(isEnabled() ? colors.ForeColor : colors.DisabledColor);
    painter->drawText(rect.adjusted(3, 0, -3, 0), int(align), text);
    painter->restore();
}

} // namespace controls
