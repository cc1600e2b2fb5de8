#include "controls/kikan/TxKikanPanel4.h"

#include "controls/kikan/TxKikanPanel12.h"
#include "core/dates/Periods.h"

#include <QApplication>

namespace controls {

TxKikanPanel4::TxKikanPanel4(QWidget* parent) : TxKikanPanelBase(4, parent) {
    stno_ = 0;
    edno_ = 3;
    maxNo_ = 3;
    setTexts();
    resize(sizeHint()); // the start size outside a layout
    layoutCells();
}

void TxKikanPanel4::setTexts() {
    if (btnCnt_ == 2) {
        setCellText(0, QStringLiteral("上"));
        setCellText(1, QStringLiteral("下"));
    } else {
        for (int i = 0; i < 4; ++i)
            setCellText(i, QString::number(i + 1));
    }
}

void TxKikanPanel4::SetBtnCnt(int count) {
    if ((count != 2 && count != 4) || count == btnCnt_)
        return;
    btnCnt_ = count;
    stno_ = 0;
    edno_ = count - 1;
    maxNo_ = count - 1;
    for (int i = 0; i < 4; ++i)
        setCellEnabled(i, true);
    setTexts();
    layoutCells();
}

void TxKikanPanel4::SetKikan(int closingDay, const QDate& yearStart, const QDate& yearEnd, const QDate& firstOpenDate) {
    const bool validClosing = (closingDay >= 1 && closingDay <= 28) || closingDay == core::kLastDayClosing;
    if (!validClosing)
        QApplication::beep();
    const int monthsPerButton = btnCnt_ == 2 ? 6 : 3;
    for (int i = 0; i < 4; ++i)
        setCellEnabled(i, false);
    stno_ = KikanCellOf12(closingDay, yearStart, firstOpenDate) / monthsPerButton;
    edno_ = KikanCellOf12(closingDay, yearStart, yearEnd) / monthsPerButton;
    for (int i = stno_; i <= edno_ && i < 4; ++i)
        setCellEnabled(i, true);
    firstNo_ = stno_;
    maxNo_ = qMax(stno_, edno_);
    if (!kikanMove_)
        edno_ = stno_;
    anchorNo_ = stno_;
    currentNo_ = edno_;
    UpdateCells();
    repaint();
}

int TxKikanPanel4::lowerKeyBound() const {
    for (int i = 0; i < btnCnt_; ++i)
        if (CellEnabled(i))
            return i;
    return 0;
}

int TxKikanPanel4::upperKeyBound() const {
    for (int i = btnCnt_ - 1; i >= 0; --i)
        if (CellEnabled(i))
            return i;
    return btnCnt_ - 1;
}

} // namespace controls
