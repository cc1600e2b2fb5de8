#include "controls/kikan/TxKikanPanel16.h"

#include "core/dates/Periods.h"

#include <QApplication>
#include <QLabel>

namespace controls {

namespace {

// The cell of a month distance: months 0-11 with a mark cell after every third; any other
// distance is the settlement cell 15.
int cellOfDistance(int distance) {
    if (distance >= 0 && distance <= 14)
        return distance + distance / 3;
    return 15;
}

bool validClosingDay(int closingDay) {
    return (closingDay >= 1 && closingDay <= 28) || closingDay == core::kLastDayClosing;
}

} // namespace

TxKikanPanel16::TxKikanPanel16(QWidget* parent) : TxKikanPanelBase(16, parent) {
    for (int i = 0; i < 16; ++i)
        monthNo_[i] = i;
    const int year = QDate::currentDate().year();
    SetKikan(core::kLastDayClosing, QDate(year, 1, 1), QDate(year, 12, 31), QDate(year, 1, 1));
    resize(sizeHint()); // the start size outside a layout
}

void TxKikanPanel16::SetKikan(int closingDay, const QDate& yearStart, const QDate& yearEnd, const QDate& firstOpenDate) {
    closingDay_ = closingDay;
    yearStart_ = yearStart;
    yearEnd_ = yearEnd;
    firstOpenDate_ = firstOpenDate;
    if (!validClosingDay(closingDay))
        QApplication::beep();

    // The last month cell stays within the sixteen cells, so "決" can follow it.
    const int lastMonthCell = qMin(cellOfDistance(KikanMonthDistance(closingDay, yearStart, yearEnd)), 14);
    maxNo_ = kessan_ ? lastMonthCell + 1 : lastMonthCell;
    lastNo_ = lastMonthCell + 1;
    firstNo_ = qMin(cellOfDistance(KikanMonthDistance(closingDay, yearStart, firstOpenDate)), maxNo_);
    stno_ = firstNo_;
    edno_ = kikanMove_ ? maxNo_ : firstNo_;

    for (int i = 0; i < 16; ++i) {
        setCellEnabled(i, i >= firstNo_);
        setCellText(i, QString());
        cells_.at(i)->setVisible(true);
        monthNo_[i] = -1;
    }
    for (int i = 0; i <= lastNo_; ++i) {
        monthNo_[i] = i;
        if (i == lastNo_) {
            setCellText(i, QStringLiteral("決"));
            monthNo_[i] = 15;
        } else if (i == 3 || i == 7 || i == 11) {
            setCellText(i, QStringLiteral("・"));
        } else {
            // A month cell shows the calendar month of its closing date.
            const int monthIndex = i - i / 4;
            const QDate closing = validClosingDay(closingDay) ? core::GetSimeDate(monthIndex, closingDay, yearStart) : yearStart;
            setCellText(i, QString::number(closing.month()));
        }
    }
    for (int i = kessan_ ? lastNo_ + 1 : lastNo_; i < 16; ++i) {
        setCellEnabled(i, false);
        setCellText(i, QString());
    }
    anchorNo_ = stno_;
    currentNo_ = edno_;
    layoutCells();
    repaint();
}

void TxKikanPanel16::SetStno(int cell) {
    if (cell == stno_)
        return;
    stno_ = cell;
    UpdateCells();
}

void TxKikanPanel16::SetEdno(int cell) {
    cell = qMin(cell, lastNo_);
    if (cell == edno_)
        return;
    edno_ = cell;
    UpdateCells();
}

void TxKikanPanel16::SetKESSAN(bool on) {
    if (on == kessan_)
        return;
    kessan_ = on;
    if (!on) {
        setCellEnabled(maxNo_, false);
        setCellText(maxNo_, QString());
        --maxNo_;
        // A choice that ended on the settlement cell ends on the last month now.
        stno_ = qMin(stno_, maxNo_);
        edno_ = qMin(edno_, maxNo_);
        anchorNo_ = qMin(anchorNo_, maxNo_);
        currentNo_ = qMin(currentNo_, maxNo_);
    } else {
        ++maxNo_;
        setCellEnabled(maxNo_, true);
        setCellText(maxNo_, QStringLiteral("決"));
    }
    UpdateCells();
}

void TxKikanPanel16::SetKakuteiMode(bool on) {
    kakuteiMode_ = on;
    UpdateCells();
}

void TxKikanPanel16::SetKakuteiMNo(int cells) {
    kakuteiMNo_ = cells;
    UpdateCells();
}

void TxKikanPanel16::SetKakuteiBackColor(const QColor& color) {
    kakuteiBackColor_ = color;
    UpdateCells();
}

void TxKikanPanel16::SetKakuteiFontColor(const QColor& color) {
    kakuteiFontColor_ = color;
    UpdateCells();
}

void TxKikanPanel16::SetDisabelColor(const QColor& color) {
    disabelColor_ = color;
    UpdateCells();
}

} // namespace controls
