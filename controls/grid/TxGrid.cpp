#include "controls/grid/TxGrid.h"

#include "controls/grid/GridDelegate.h"
#include "controls/grid/GridHeader.h"
#include "controls/grid/GridModel.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

namespace controls {

TxGrid::TxGrid(QWidget* parent)
    : QTableView(parent),
      model_(new GridModel(this)),
      colHeader_(new GridHeader(Qt::Horizontal, this)),
      rowHeader_(new GridHeader(Qt::Vertical, this)) {
    setHorizontalHeader(colHeader_);
    setVerticalHeader(rowHeader_);
    setModel(model_);
    setItemDelegate(new GridDelegate(this));

    setSortingEnabled(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(false);
    setShowGrid(false);                     // the delegate draws the lines in BorderColor
    setWordWrap(false);
    setVerticalScrollMode(ScrollPerItem);   // the scroll position is the top row
    setHorizontalScrollMode(ScrollPerPixel);

    colHeader_->setStretchLastSection(false);
    colHeader_->setSectionResizeMode(QHeaderView::Interactive);
    colHeader_->setMinimumSectionSize(1);
    rowHeader_->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader_->setMinimumSectionSize(1);
    rowHeader_->setDefaultSectionSize(defHeight_);
    rowHeader_->setVisible(false);

    connect(colHeader_, &QHeaderView::sectionClicked, this, [this](int col) { emit cellClick(col, -1); });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit cellClick(index.column(), index.row()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit dblClick(index.column(), index.row()); });

    SetColors(colors_);
}

bool TxGrid::validRow(int row) const { return row >= 0 && row < RowCount(); }
bool TxGrid::validCol(int col) const { return col >= 0 && col < Cols(); }

int TxGrid::firstVisibleCol() const {
    for (int col = 0; col < Cols(); ++col)
        if (!isColumnHidden(col))
            return col;
    return Cols() > 0 ? 0 : -1;
}

// ---- columns and sizes ----

int TxGrid::Cols() const { return model_->columnCount(); }

void TxGrid::SetCols(int count) {
    const int old = Cols();
    model_->setColumns(std::max(0, count));
    for (int col = old; col < Cols(); ++col)
        setColumnWidth(col, defWidth_);
}

void TxGrid::SetDefHeight(int height) {
    defHeight_ = std::max(1, height);
    rowHeader_->setDefaultSectionSize(defHeight_);
    updateGeometries();
}

void TxGrid::SetDefWidth(int width) { defWidth_ = std::max(0, width); }

int TxGrid::ColWidth(int col) const {
    if (col == -1)
        return rowHeaderWidth_;
    if (!validCol(col) || isColumnHidden(col))
        return 0;
    return columnWidth(col);
}

void TxGrid::SetColWidth(int col, int width) {
    width = std::max(0, width);
    if (col == -1) {
        rowHeaderWidth_ = width;
        rowHeader_->setVisible(width > 0);
        updateGeometries();
        return;
    }
    if (!validCol(col))
        return;
    setColumnHidden(col, width == 0);
    if (width > 0)
        setColumnWidth(col, width);
}

Qt::Alignment TxGrid::ColAlignment(int col) const {
    return validCol(col) ? model_->alignment(col) : Qt::AlignLeft;
}

void TxGrid::SetColAlignment(int col, Qt::Alignment horizontal) {
    if (!validCol(col))
        return;
    model_->alignment(col) = horizontal & Qt::AlignHorizontal_Mask;
    viewport()->update();
}

Qt::Alignment TxGrid::HeaderAlignment(int col) const {
    return validCol(col) ? model_->headerAlignment(col) : Qt::AlignLeft;
}

void TxGrid::SetHeaderAlignment(int col, Qt::Alignment horizontal) {
    if (!validCol(col))
        return;
    model_->headerAlignment(col) = horizontal & Qt::AlignHorizontal_Mask;
    model_->headerChanged(Qt::Horizontal, col);
}

// ---- rows ----

int TxGrid::RowCount() const { return model_->rowCount(); }

void TxGrid::SetRowCount(int count) {
    count = std::clamp(count, 0, maxRows_);
    if (count > RowCount())
        model_->insertRowsAt(RowCount(), count - RowCount());
    else if (count < RowCount())
        model_->removeRowsAt(count, RowCount() - count);
}

void TxGrid::SetMaxRows(int count) {
    maxRows_ = std::clamp(count, 0, RowCapacity);
    if (RowCount() > maxRows_)
        SetRowCount(maxRows_);
}

int TxGrid::InsertRows(int row, int count) {
    if (row < 0 || row > RowCount())
        return 0;
    count = std::min(count, maxRows_ - RowCount());
    if (count <= 0)
        return 0;
    model_->insertRowsAt(row, count);
    return count;
}

void TxGrid::DeleteRows(int row, int count) {
    if (!validRow(row))
        return;
    count = std::min(count, RowCount() - row);
    if (count > 0)
        model_->removeRowsAt(row, count);
}

bool TxGrid::MoveRow(int from, int to) {
    if (!validRow(from) || !validRow(to))
        return false;
    if (from != to) {
        model_->moveRowTo(from, to);
        viewport()->update(); // the row parity of every row in between changes
    }
    return true;
}

// ---- cells ----

QString TxGrid::Cells(int col, int row) const {
    if (row == -1)
        return validCol(col) ? model_->caption(col) : QString();
    if (!validRow(row))
        return {};
    if (col == -1)
        return model_->row(row).HeaderText;
    return validCol(col) ? model_->row(row).Cells[std::size_t(col)].Text : QString();
}

void TxGrid::SetCells(int col, int row, const QString& text) {
    if (row == -1) {
        if (!validCol(col))
            return;
        model_->caption(col) = text;
        model_->headerChanged(Qt::Horizontal, col);
    } else if (validRow(row) && col == -1) {
        model_->row(row).HeaderText = text;
        model_->headerChanged(Qt::Vertical, row);
    } else if (validRow(row) && validCol(col)) {
        model_->row(row).Cells[std::size_t(col)].Text = text;
        model_->cellChanged(col, row);
    }
}

int TxGrid::CellInt(int col, int row) const {
    return Cells(col, row).trimmed().toInt();
}

void TxGrid::SetCellInt(int col, int row, int value) {
    SetCells(col, row, QString::number(value));
}

QPixmap TxGrid::CellPicture(int col, int row) const {
    if (!validRow(row) || !validCol(col))
        return {};
    return model_->row(row).Cells[std::size_t(col)].Picture;
}

void TxGrid::SetCellPicture(int col, int row, const QPixmap& picture) {
    if (!validRow(row) || !validCol(col))
        return;
    model_->row(row).Cells[std::size_t(col)].Picture = picture;
    model_->cellChanged(col, row);
}

qint32 TxGrid::RowValue(int row) const {
    return validRow(row) ? model_->row(row).Value : 0;
}

void TxGrid::SetRowValue(int row, qint32 value) {
    if (validRow(row))
        model_->row(row).Value = value;
}

// ---- per-row look ----

QColor TxGrid::RowBackColor(int row) const {
    if (validRow(row) && model_->row(row).BackColor.isValid())
        return model_->row(row).BackColor;
    return row % 2 == 0 ? colors_.BackColor : colors_.OddRowBackColor;
}

void TxGrid::SetRowBackColor(int row, const QColor& color) {
    if (!validRow(row))
        return;
    model_->row(row).BackColor = color;
    model_->rowChanged(row);
}

QColor TxGrid::RowForeColor(int row) const {
    if (validRow(row) && model_->row(row).ForeColor.isValid())
        return model_->row(row).ForeColor;
    return colors_.ForeColor;
}

void TxGrid::SetRowForeColor(int row, const QColor& color) {
    if (!validRow(row))
        return;
    model_->row(row).ForeColor = color;
    model_->rowChanged(row);
}

QFont TxGrid::RowFont(int row) const {
    if (validRow(row) && model_->row(row).Font)
        return *model_->row(row).Font;
    return font();
}

void TxGrid::SetRowFont(int row, const QFont& rowFont) {
    if (!validRow(row))
        return;
    model_->row(row).Font = rowFont;
    model_->rowChanged(row);
}

void TxGrid::ResetRowFont(int row) {
    if (!validRow(row))
        return;
    model_->row(row).Font.reset();
    model_->rowChanged(row);
}

// ---- the current cell ----

int TxGrid::Row() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : NoRow;
}

int TxGrid::Col() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void TxGrid::SetRow(int row) {
    if (row == -1 || row == NoRow) {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
        return;
    }
    const int col = validCol(Col()) ? Col() : firstVisibleCol();
    SetCurrentCell(col, row);
}

void TxGrid::SetCol(int col) {
    if (validRow(Row()))
        SetCurrentCell(col, Row());
}

void TxGrid::SetCurrentCell(int col, int row) {
    if (validRow(row) && validCol(col))
        setCurrentIndex(model_->index(row, col));
}

int TxGrid::TopRow() const {
    return RowCount() == 0 ? 0 : std::clamp(verticalScrollBar()->value(), 0, RowCount() - 1);
}

void TxGrid::SetTopRow(int row) {
    if (!validRow(row))
        return;
    updateGeometries();
    verticalScrollBar()->setValue(row);
}

void TxGrid::MakeVisible(int col, int row) {
    if (!validRow(row))
        return;
    scrollTo(model_->index(row, validCol(col) ? col : std::max(0, firstVisibleCol())));
}

void TxGrid::SetColors(const TxGridColors& colors) {
    colors_ = colors;
    QPalette voidArea = viewport()->palette();
    voidArea.setColor(QPalette::Base, colors_.VoidAreaColor);
    voidArea.setColor(QPalette::Window, colors_.VoidAreaColor);
    viewport()->setPalette(voidArea);
    viewport()->setAutoFillBackground(true);
    viewport()->update();
    colHeader_->viewport()->update();
    rowHeader_->viewport()->update();
}

// ---- events ----

void TxGrid::keyPressEvent(QKeyEvent* event) {
    event->ignore();
    emit keyDown(event);
    if (event->isAccepted())
        return;
    if (!event->text().isEmpty()) {
        emit keyPress(event);
        if (event->isAccepted())
            return;
    }
    QTableView::keyPressEvent(event);
}

void TxGrid::keyboardSearch(const QString&) {
    // The lists run their own search on typed characters; the view's own would move the row.
}

void TxGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    viewport()->update(); // the through lines of the old and the new current row
    if (previous.isValid())
        emit cellLostFocus(previous.column(), previous.row());
    if (current.isValid())
        emit cellGotFocus(current.column(), current.row());
}

void TxGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        colHeader_->viewport()->update();
        rowHeader_->viewport()->update();
    }
}

} // namespace controls
