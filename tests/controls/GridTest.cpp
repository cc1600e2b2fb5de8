// The list grid: cells, rows, the current cell, header clicks, keys and drawing.
#include "controls/grid/TxGrid.h"

#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using controls::TxGrid;

namespace {

// Three rows "c", "a", "b" in column 0, numbered 100, 101, 102 in their row value.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.SetCols(4);
        grid.SetRowCount(3);
        const char* names[] = {"c", "a", "b"};
        for (int row = 0; row < 3; ++row) {
            grid.SetCells(0, row, QString::fromLatin1(names[row]));
            grid.SetRowValue(row, 100 + row);
        }
        grid.resize(400, 200);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    QStringList column0() const {
        QStringList texts;
        for (int row = 0; row < grid.RowCount(); ++row)
            texts << grid.Cells(0, row);
        return texts;
    }

    TxGrid grid;
};

QPoint headerPoint(const TxGrid& grid, int col) {
    return {grid.horizontalHeader()->sectionViewportPosition(col) + 5, 5};
}

} // namespace

TEST_F(GridTest, NoCurrentRowIsReported32700) {
    TxGrid empty;
    EXPECT_EQ(empty.Row(), 32700);
    EXPECT_EQ(empty.Row(), TxGrid::NoRow);
    EXPECT_EQ(empty.Col(), -1);
    empty.SetCols(2);
    empty.SetRowCount(2);
    EXPECT_EQ(empty.Row(), TxGrid::NoRow); // rows, but none chosen yet

    grid.SetRow(1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 0);
    grid.SetRow(7); // no such row: nothing changes
    EXPECT_EQ(grid.Row(), 1);

    QSignalSpy lost(&grid, &TxGrid::cellLostFocus);
    grid.SetRow(-1);
    EXPECT_EQ(grid.Row(), TxGrid::NoRow);
    EXPECT_EQ(grid.Col(), -1);
    ASSERT_EQ(lost.count(), 1);
    EXPECT_EQ(lost.at(0).at(1).toInt(), 1);

    grid.SetCurrentCell(2, 2);
    grid.SetRow(TxGrid::NoRow);
    EXPECT_EQ(grid.Row(), TxGrid::NoRow);

    grid.SetRow(0);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.Row(), TxGrid::NoRow);
}

TEST_F(GridTest, HeaderClickIsReportedAndLeavesRowsAlone) {
    grid.SetCells(0, -1, QStringLiteral("No"));
    grid.SetCurrentCell(1, 2);
    QSignalSpy clicks(&grid, &TxGrid::cellClick);
    QSignalSpy focus(&grid, &TxGrid::cellGotFocus);

    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, headerPoint(grid, 0));
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {}, headerPoint(grid, 0));

    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 0);
    EXPECT_EQ(clicks.at(0).at(1).toInt(), -1);
    EXPECT_EQ(column0(), (QStringList{"c", "a", "b"}));
    EXPECT_EQ(grid.RowValue(0), 100);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(focus.count(), 0);
    EXPECT_EQ(grid.Cells(0, -1), QStringLiteral("No"));
}

TEST_F(GridTest, ClicksOnCellsReportColumnAndRow) {
    QSignalSpy clicks(&grid, &TxGrid::cellClick);
    QSignalSpy doubles(&grid, &TxGrid::dblClick);
    const QRect cell = grid.visualRect(grid.model()->index(1, 2));

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());

    ASSERT_GE(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0), (QList<QVariant>{2, 1}));
    ASSERT_EQ(doubles.count(), 1);
    EXPECT_EQ(doubles.at(0), (QList<QVariant>{2, 1}));
    EXPECT_EQ(grid.Row(), 1);

    // Below the last row there is no cell to report.
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, QPoint(10, grid.viewport()->height() - 5));
    EXPECT_EQ(doubles.count(), 1);
}

TEST_F(GridTest, FocusEventsNameTheCellLeftAndTheCellEntered) {
    grid.SetCurrentCell(1, 0);
    QSignalSpy lost(&grid, &TxGrid::cellLostFocus);
    QSignalSpy got(&grid, &TxGrid::cellGotFocus);

    grid.SetRow(2);

    ASSERT_EQ(lost.count(), 1);
    EXPECT_EQ(lost.at(0), (QList<QVariant>{1, 0}));
    ASSERT_EQ(got.count(), 1);
    EXPECT_EQ(got.at(0), (QList<QVariant>{1, 2}));
}

TEST_F(GridTest, DeletingTheCurrentRowReportsLeavingItWhileItStillExists) {
    grid.SetRow(2);
    QString leftText;
    QObject::connect(&grid, &TxGrid::cellLostFocus,
                     [&](int col, int row) { leftText = grid.Cells(col, row); });

    grid.DeleteRows(2, 1);

    EXPECT_EQ(leftText, QStringLiteral("b"));
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(column0(), (QStringList{"c", "a"}));
}

TEST_F(GridTest, RowsKeepTheirContentWhenInsertedDeletedAndMoved) {
    const QColor red(255, 0, 0);
    QFont bold = grid.font();
    bold.setBold(true);
    grid.SetRowBackColor(0, red);
    grid.SetRowFont(0, bold);
    QPixmap picture(4, 4);
    picture.fill(Qt::blue);
    grid.SetCellPicture(3, 0, picture);
    grid.SetCurrentCell(1, 0);

    EXPECT_TRUE(grid.MoveRow(0, 2));
    EXPECT_EQ(column0(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(grid.RowValue(2), 100);
    EXPECT_EQ(grid.RowBackColor(2), red);
    EXPECT_TRUE(grid.RowFont(2).bold());
    EXPECT_FALSE(grid.CellPicture(3, 2).isNull());
    EXPECT_EQ(grid.Row(), 2); // the current row moves with it
    EXPECT_EQ(grid.RowBackColor(0), grid.Colors().BackColor);
    EXPECT_FALSE(grid.RowFont(0).bold());

    EXPECT_TRUE(grid.MoveRow(2, 1));
    EXPECT_EQ(column0(), (QStringList{"a", "c", "b"}));
    EXPECT_FALSE(grid.MoveRow(0, 3));
    EXPECT_FALSE(grid.MoveRow(-1, 0));

    EXPECT_EQ(grid.InsertRows(1, 2), 2);
    EXPECT_EQ(column0(), (QStringList{"a", "", "", "c", "b"}));
    EXPECT_EQ(grid.RowValue(1), 0);
    EXPECT_EQ(grid.RowBackColor(1), grid.Colors().OddRowBackColor);
    EXPECT_EQ(grid.InsertRows(5, 1), 1); // at the end
    EXPECT_EQ(grid.InsertRows(7, 1), 0); // beyond it

    grid.DeleteRows(1, 2);
    grid.DeleteRows(3, 10); // as many as there are
    EXPECT_EQ(column0(), (QStringList{"a", "c", "b"}));
}

TEST_F(GridTest, RowLimitBoundsTheRowCount) {
    grid.SetMaxRows(5);
    grid.SetRowCount(10);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.InsertRows(0, 3), 0);
    grid.SetMaxRows(2);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(column0(), (QStringList{"c", "a"}));
    grid.SetMaxRows(100000);
    EXPECT_EQ(grid.MaxRows(), TxGrid::RowCapacity);
    EXPECT_LT(TxGrid::RowCapacity - 1, TxGrid::NoRow); // a real row never reads as "none"
}

TEST_F(GridTest, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
    struct Cell {
        int col, row;
    };
    const Cell outside[] = {{4, 0}, {-2, 0}, {0, 3}, {0, -2}, {4, -1}, {-1, 3}, {-1, -1}};
    for (const Cell& c : outside) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        grid.SetCells(c.col, c.row, QStringLiteral("x"));
        grid.SetCellPicture(c.col, c.row, QPixmap(2, 2));
        grid.SetRowValue(c.row, 9);
        grid.SetRowForeColor(c.row, Qt::red);
        EXPECT_EQ(grid.Cells(c.col, c.row), QString());
        EXPECT_TRUE(grid.CellPicture(c.col, c.row).isNull());
        EXPECT_EQ(grid.CellInt(c.col, c.row), 0);
    }
    EXPECT_EQ(column0(), (QStringList{"c", "a", "b"}));

    grid.SetCells(-1, 1, QStringLiteral("101"));
    grid.SetCells(3, -1, QStringLiteral("データ名  "));
    grid.SetCellInt(2, 1, -7);
    EXPECT_EQ(grid.CellInt(-1, 1), 101);
    EXPECT_EQ(grid.Cells(3, -1), QStringLiteral("データ名  "));
    EXPECT_EQ(grid.CellInt(2, 1), -7);
    EXPECT_EQ(grid.CellInt(0, 1), 0); // "a"
}

TEST_F(GridTest, WidthZeroHidesAColumnAndTheRowHeader) {
    EXPECT_EQ(grid.FixedLefts(), 1);
    EXPECT_EQ(grid.ColWidth(-1), 0);
    EXPECT_FALSE(grid.verticalHeader()->isVisible());
    EXPECT_EQ(grid.ColWidth(3), grid.DefWidth());

    grid.SetColWidth(1, 0);
    EXPECT_EQ(grid.ColWidth(1), 0);
    EXPECT_TRUE(grid.isColumnHidden(1));
    grid.SetCurrentCell(0, 0);
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 2); // the hidden column is stepped over

    grid.SetColWidth(1, 70);
    EXPECT_EQ(grid.ColWidth(1), 70);
    EXPECT_FALSE(grid.isColumnHidden(1));

    grid.SetColWidth(-1, 30);
    EXPECT_EQ(grid.ColWidth(-1), 30);
    EXPECT_TRUE(grid.verticalHeader()->isVisible());

    // The scaling loop of the dialogs runs from -FixedLefts to Cols-1.
    grid.SetDefWidth(80);
    grid.SetDefHeight(24);
    grid.SetCols(5);
    EXPECT_EQ(grid.ColWidth(4), 80);
    EXPECT_EQ(grid.ColWidth(1), 70);
    EXPECT_EQ(grid.rowHeight(0), 24);
}

TEST_F(GridTest, KeysTakenByTheListDoNotReachTheGrid) {
    grid.SetRow(0);
    bool takeDown = true;
    QStringList typed;
    QObject::connect(&grid, &TxGrid::keyDown, [&](QKeyEvent* event) {
        if (takeDown && event->key() == Qt::Key_Down)
            event->accept();
    });
    QObject::connect(&grid, &TxGrid::keyPress, [&](QKeyEvent* event) { typed << event->text(); });

    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 0);
    takeDown = false;
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 1);

    // Typing does not jump to a row by its text: the lists search themselves.
    QTest::keyClick(&grid, Qt::Key_B);
    QTest::keyClick(&grid, Qt::Key_C);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(typed, (QStringList{"b", "c"}));
}

TEST_F(GridTest, RowLookFollowsTheGridUnlessTheRowHasItsOwn) {
    controls::TxGridColors colors = grid.Colors();
    colors.BackColor = QColor(255, 255, 255);
    colors.OddRowBackColor = QColor(0xE1, 0xF0, 0xFF);
    colors.ForeColor = QColor(0, 0, 0);
    grid.SetColors(colors);

    EXPECT_EQ(grid.RowBackColor(0), colors.BackColor);
    EXPECT_EQ(grid.RowBackColor(1), colors.OddRowBackColor);
    grid.SetRowBackColor(1, QColor(255, 0, 0));
    grid.SetRowForeColor(1, QColor(128, 128, 128));
    EXPECT_EQ(grid.RowBackColor(1), QColor(255, 0, 0));
    EXPECT_EQ(grid.RowForeColor(1), QColor(128, 128, 128));
    EXPECT_EQ(grid.RowForeColor(0), colors.ForeColor);

    grid.SetRowBackColor(1, QColor());
    grid.SetRowForeColor(1, QColor());
    EXPECT_EQ(grid.RowBackColor(1), colors.OddRowBackColor);
    EXPECT_EQ(grid.RowForeColor(1), colors.ForeColor);

    QFont plain(grid.font());
    plain.setPointSize(plain.pointSize() + 3);
    grid.SetRowFont(1, plain);
    EXPECT_EQ(grid.RowFont(1).pointSize(), plain.pointSize());
    grid.ResetRowFont(1);
    EXPECT_EQ(grid.RowFont(1), grid.font());
}

TEST_F(GridTest, DrawsRowColoursPicturesTheCurrentCellAndTheVoidArea) {
    controls::TxGridColors colors = grid.Colors();
    colors.BackColor = QColor(255, 255, 255);
    colors.OddRowBackColor = QColor(0xE1, 0xF0, 0xFF);
    colors.VoidAreaColor = QColor(10, 20, 30);
    colors.FocusBorderColor = QColor(0, 0x40, 0x80);
    grid.SetColors(colors);
    for (int row = 0; row < 3; ++row)
        grid.SetCells(0, row, QString());
    grid.SetRowBackColor(2, QColor(255, 0, 0));
    QPixmap picture(8, 8);
    picture.fill(QColor(255, 0, 255));
    grid.SetColAlignment(3, Qt::AlignHCenter);
    grid.SetCellPicture(3, 0, picture);
    grid.SetCurrentCell(1, 1);

    const QImage image = grid.viewport()->grab().toImage();
    auto pixelAt = [&](int col, int row) {
        return QColor(image.pixel(grid.visualRect(grid.model()->index(row, col)).center()));
    };
    EXPECT_EQ(pixelAt(0, 0), colors.BackColor);
    EXPECT_EQ(pixelAt(0, 1), colors.OddRowBackColor);
    EXPECT_EQ(pixelAt(0, 2), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(3, 0), QColor(255, 0, 255));
    const QRect current = grid.visualRect(grid.model()->index(1, 1));
    EXPECT_EQ(QColor(image.pixel(current.left() + 1, current.center().y())), colors.FocusBorderColor);
    EXPECT_EQ(QColor(image.pixel(5, grid.viewport()->height() - 3)), colors.VoidAreaColor);
}

TEST_F(GridTest, TopRowScrollsAndMakeVisibleBringsARowIntoView) {
    grid.SetRowCount(100);
    EXPECT_EQ(grid.TopRow(), 0);
    grid.SetTopRow(50);
    EXPECT_EQ(grid.TopRow(), 50);
    grid.MakeVisible(0, 5);
    EXPECT_LE(grid.TopRow(), 5);
    const int bottom = grid.rowAt(grid.viewport()->height() - 1);
    EXPECT_TRUE(bottom == -1 || bottom >= 5);

    grid.SetRowCount(0);
    EXPECT_EQ(grid.TopRow(), 0);
}
