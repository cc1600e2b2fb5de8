#pragma once
// The list grid of the data-selection, shared-data, data-place, logged-on-users and
// data-communication dialogs.
//
// A table of rows and columns on Qt's item views. Cells hold a text (numbers are written as
// text) or a picture. Row -1 is the header row; column -1 is a row-header column that is hidden
// while its width is 0 (the lists keep a record number in it). Columns of width 0 are hidden.
// Each row carries its own value (a record number) and may carry its own back and text colour
// and font; without them a row takes the grid's colour for its position (even rows BackColor,
// odd rows OddRowBackColor) and the grid's text colour and font.
//
// The grid never sorts: a click on the header is reported as cellClick(col, -1) and the list
// sorts its own records and fills the grid again. Without a current row, Row() is NoRow (32700);
// callers treat -1 the same way.

#include "controls/grid/TxGridColors.h"

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QTableView>

class QKeyEvent;

namespace controls {

class GridModel;
class GridHeader;

class TxGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int NoRow = 32700;        // Row() when no row is current
    static constexpr int RowCapacity = 32700;  // rows 0 … 32699; the largest MaxRows

    explicit TxGrid(QWidget* parent = nullptr);

    // Columns and sizes.
    int Cols() const;
    void SetCols(int count);                   // new columns get DefWidth
    int FixedLefts() const { return 1; }       // the one row-header column, -1
    int DefHeight() const { return defHeight_; }
    void SetDefHeight(int height);             // every row and the header row
    int DefWidth() const { return defWidth_; }
    void SetDefWidth(int width);               // width of columns added later
    int ColWidth(int col) const;               // 0 for a hidden column
    void SetColWidth(int col, int width);      // 0 hides the column; col -1 the row header
    Qt::Alignment ColAlignment(int col) const;
    void SetColAlignment(int col, Qt::Alignment horizontal);
    Qt::Alignment HeaderAlignment(int col) const;
    void SetHeaderAlignment(int col, Qt::Alignment horizontal);

    // Rows.
    int RowCount() const;
    void SetRowCount(int count);               // adds blank rows or drops rows at the end
    int MaxRows() const { return maxRows_; }
    void SetMaxRows(int count);                // 0 … RowCapacity; drops rows beyond it
    int InsertRows(int row, int count);        // before row (RowCount appends); returns rows added
    void DeleteRows(int row, int count);
    bool MoveRow(int from, int to);            // the row keeps its cells, value, colours and font

    // Cells. Reads outside the grid give an empty text, writes outside it are ignored.
    QString Cells(int col, int row) const;     // row -1 header, col -1 row header
    void SetCells(int col, int row, const QString& text);
    int CellInt(int col, int row) const;       // the text as an integer, 0 when it is none
    void SetCellInt(int col, int row, int value);
    QPixmap CellPicture(int col, int row) const;
    void SetCellPicture(int col, int row, const QPixmap& picture); // a null picture removes it
    qint32 RowValue(int row) const;
    void SetRowValue(int row, qint32 value);

    // Per-row look. The getters give what the row shows; an invalid colour given to a setter
    // puts the grid's own colour back.
    QColor RowBackColor(int row) const;
    void SetRowBackColor(int row, const QColor& color);
    QColor RowForeColor(int row) const;
    void SetRowForeColor(int row, const QColor& color);
    QFont RowFont(int row) const;
    void SetRowFont(int row, const QFont& font);
    void ResetRowFont(int row);

    // The current cell.
    int Row() const;                           // NoRow when none
    int Col() const;                           // -1 when none
    void SetRow(int row);                      // -1 or NoRow: no current cell
    void SetCol(int col);
    void SetCurrentCell(int col, int row);
    int TopRow() const;                        // first row in view, 0 when empty
    void SetTopRow(int row);
    void MakeVisible(int col, int row);

    const TxGridColors& Colors() const { return colors_; }
    void SetColors(const TxGridColors& colors);

signals:
    void cellClick(int col, int row);          // row -1: the header of col
    void dblClick(int col, int row);
    void cellGotFocus(int col, int row);
    void cellLostFocus(int col, int row);
    // A key pressed in the grid arrives not accepted; a handler that takes it accepts the event
    // and the grid then does nothing more with it. keyPress follows for keys that give text.
    void keyDown(QKeyEvent* event);
    void keyPress(QKeyEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void changeEvent(QEvent* event) override;

private:
    bool validRow(int row) const;
    bool validCol(int col) const;
    int firstVisibleCol() const;

    GridModel* model_;
    GridHeader* colHeader_;
    GridHeader* rowHeader_;
    TxGridColors colors_;
    int defHeight_ = 20;
    int defWidth_ = 64;
    int rowHeaderWidth_ = 0;
    int maxRows_ = RowCapacity;
};

} // namespace controls
