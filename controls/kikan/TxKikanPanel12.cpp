#include "controls/kikan/TxKikanPanel12.h"

#include "core/dates/Periods.h"

#include <QApplication>

namespace controls {

namespace {
constexpr int kMonthNo[12] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14};
} // namespace

int KikanCellOf12(int closingDay, const QDate& yearStart, const QDate& date) {
    const int distance = KikanMonthDistance(closingDay, yearStart, date);
    return distance >= 0 && distance <= 11 ? distance : 11;
}

TxKikanPanel12::TxKikanPanel12(QWidget* parent) : TxKikanPanelBase(12, parent) {
    const int year = QDate::currentDate().year();
    SetKikan(core::kLastDayClosing, QDate(year, 1, 1), QDate(year, 12, 31), QDate(year, 1, 1));
    resize(sizeHint()); // the start size outside a layout
}

int TxKikanPanel12::MonthNo(int cell) const {
    return cell >= 0 && cell < 12 ? kMonthNo[cell] : cell;
}

void TxKikanPanel12::SetKikan(int closingDay, const QDate& yearStart, const QDate& yearEnd, const QDate& firstOpenDate) {
    const bool validClosing = (closingDay >= 1 && closingDay <= 28) || closingDay == core::kLastDayClosing;
    if (!validClosing)
        QApplication::beep();
    const int lastCell = KikanCellOf12(closingDay, yearStart, yearEnd);
    maxNo_ = lastCell;
    firstNo_ = qMin(KikanCellOf12(closingDay, yearStart, firstOpenDate), maxNo_);
    stno_ = firstNo_;
    edno_ = kikanMove_ ? maxNo_ : firstNo_;
    for (int i = 0; i < 12; ++i) {
        const bool used = i <= lastCell;
        setCellEnabled(i, used && i >= firstNo_);
        const QDate closing = validClosing ? core::GetSimeDate(i, closingDay, yearStart) : yearStart;
        setCellText(i, used ? QString::number(closing.month()) : QString());
    }
    anchorNo_ = stno_;
    currentNo_ = edno_;
    layoutCells();
    repaint();
}

void TxKikanPanel12::putInOrder() {
    stno_ = qBound(0, stno_, maxNo_);
    edno_ = qBound(0, edno_, maxNo_);
    if (stno_ > edno_)
        std::swap(stno_, edno_);
    UpdateCells();
}

void TxKikanPanel12::SetStno(int cell) {
    stno_ = cell;
    putInOrder();
}

void TxKikanPanel12::SetEdno(int cell) {
    edno_ = cell;
    putInOrder();
}

void TxKikanPanel12::SetKakuteiMode(bool on) {
    kakuteiMode_ = on;
    UpdateCells();
}

void TxKikanPanel12::SetKakuteiMNo(int cells) {
    kakuteiMNo_ = cells;
    UpdateCells();
}

void TxKikanPanel12::SetKakuteiBackColor(const QColor& color) {
    kakuteiBackColor_ = color;
    UpdateCells();
}

void TxKikanPanel12::SetKakuteiFontColor(const QColor& color) {
    kakuteiFontColor_ = color;
    UpdateCells();
}

} // namespace controls
