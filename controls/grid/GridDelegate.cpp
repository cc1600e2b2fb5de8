#include "controls/grid/GridDelegate.h"

#include "controls/grid/TxGrid.h"

#include <QPainter>
#include <QStyle>

namespace controls {

namespace {

// The picture scaled down (never up) to fit the cell, placed by the column's alignment.
QRect pictureRect(const QPixmap& picture, const QRect& cell, Qt::Alignment align) {
    QSize size = picture.deviceIndependentSize().toSize();
    if (size.width() > cell.width() || size.height() > cell.height())
        size.scale(cell.size(), Qt::KeepAspectRatio);
    return QStyle::alignedRect(Qt::LeftToRight, align | Qt::AlignVCenter, size, cell);
}

} // namespace

GridDelegate::GridDelegate(TxGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const TxGridColors& colors = grid_->Colors();
    const int row = index.row();
    const int col = index.column();
    const bool currentRow = row == grid_->Row();
    const bool currentCell = currentRow && col == grid_->Col();
    const QRect cell = option.rect;

    QColor back = grid_->RowBackColor(row);
    QColor fore = grid_->RowForeColor(row);
    if (currentCell && colors.SelBackColor.isValid())
        back = colors.SelBackColor;
    if (currentCell && colors.SelForeColor.isValid())
        fore = colors.SelForeColor;
    if (!grid_->isEnabled())
        fore = colors.DisabledColor;

    painter->save();
    painter->fillRect(cell, back);

    const QRect content = cell.adjusted(2, 1, -2, -1);
    const Qt::Alignment align = grid_->ColAlignment(col);
    const QPixmap picture = grid_->CellPicture(col, row);
    if (!picture.isNull()) {
        painter->drawPixmap(pictureRect(picture, content, align), picture);
    } else {
        painter->setFont(grid_->RowFont(row));
        painter->setPen(fore);
        painter->drawText(content, int(align | Qt::AlignVCenter), grid_->Cells(col, row));
    }

    painter->setPen(colors.BorderColor);
    painter->drawLine(cell.topRight(), cell.bottomRight());
    painter->drawLine(cell.bottomLeft(), cell.bottomRight());

    if (currentRow && colors.ThruBorderColor.isValid()) {
        painter->setPen(colors.ThruBorderColor);
        painter->drawLine(cell.topLeft(), cell.topRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    }
    if (currentCell) {
        QPen frame(colors.FocusBorderColor, 2);
        frame.setJoinStyle(Qt::MiterJoin);
        painter->setPen(frame);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(cell).adjusted(1, 1, -1, -1));
    }
    painter->restore();
}

} // namespace controls
