#pragma once
// Storage of the list grid: the header row, the rows with their cells, the hidden row-header
// text (column -1), the per-row value and the per-row colours and font. Indexes are checked by
// TxGrid; this class trusts them.

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <optional>
#include <vector>

namespace controls {

struct GridCell {
    QString Text;
    QPixmap Picture; // drawn instead of the text when set
};

struct GridRow {
    std::vector<GridCell> Cells; // columns 0 … Cols-1
    QString HeaderText;          // column -1
    qint32 Value = 0;            // the row's own value (a record number)
    QColor BackColor;            // invalid: the grid's colour for the row's position
    QColor ForeColor;            // invalid: the grid's text colour
    std::optional<QFont> Font;   // none: the grid's font
};

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setColumns(int count);
    void insertRowsAt(int row, int count);
    void removeRowsAt(int row, int count);
    void moveRowTo(int from, int to);

    GridRow& row(int r) { return rows_[std::size_t(r)]; }
    const GridRow& row(int r) const { return rows_[std::size_t(r)]; }
    QString& caption(int col) { return captions_[std::size_t(col)]; }
    const QString& caption(int col) const { return captions_[std::size_t(col)]; }
    Qt::Alignment& alignment(int col) { return alignments_[std::size_t(col)]; }
    Qt::Alignment alignment(int col) const { return alignments_[std::size_t(col)]; }
    Qt::Alignment& headerAlignment(int col) { return headerAlignments_[std::size_t(col)]; }
    Qt::Alignment headerAlignment(int col) const { return headerAlignments_[std::size_t(col)]; }

    // Tell the view that something of one row changed (cells, colours or font).
    void rowChanged(int r);
    void cellChanged(int col, int r);
    void headerChanged(Qt::Orientation orientation, int section);

private:
    int columns_ = 0;
    std::vector<GridRow> rows_;
    std::vector<QString> captions_;            // row -1
    std::vector<Qt::Alignment> alignments_;    // horizontal alignment of the cells
    std::vector<Qt::Alignment> headerAlignments_;
};

} // namespace controls
