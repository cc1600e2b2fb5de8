#pragma once
// The fiscal-year period selector of sixteen cells: the twelve months with a mark cell "・"
// after every third month, and the settlement cell "決". A choice reads as cell positions
// (Stno, Edno) or as period indexes 0-15 of the sixteen-column year (StMonthNo, EdMonthNo).
//
// A year of more than twelve closing months cannot be laid out in sixteen cells: the last
// month cell is at most cell 14, so "決" is at most cell 15 (LastNo ≤ 15) and no cell beyond
// the sixteenth is ever written. The first open cell is at most MaxNo.

#include "controls/kikan/KikanPanelBase.h"

#include <QDate>

namespace controls {

class TxKikanPanel16 : public TxKikanPanelBase {
    Q_OBJECT
public:
    explicit TxKikanPanel16(QWidget* parent = nullptr);

    // Lays the fiscal year out by its closing months (core::GetMonthCount) and chooses from the
    // first open month to the end.
    void SetKikan(int closingDay, const QDate& yearStart, const QDate& yearEnd, const QDate& firstOpenDate);

    void SetStno(int cell);
    void SetEdno(int cell); // at most LastNo

    // The period index a cell stands for (-1 unused; "決" 15).
    int MonthNo(int cell) const { return cell >= 0 && cell < 16 ? monthNo_[cell] : cell; }
    int StMonthNo() const { return MonthNo(stno_); }
    int EdMonthNo() const { return MonthNo(edno_); }
    // The cell of "決": one after the last month cell.
    int LastNo() const { return lastNo_; }

    bool KESSAN() const { return kessan_; }
    void SetKESSAN(bool on);

    bool KakuteiMode() const { return kakuteiMode_; }
    void SetKakuteiMode(bool on);
    int KakuteiMNo() const { return kakuteiMNo_; }
    void SetKakuteiMNo(int cells);
    QColor KakuteiBackColor() const { return kakuteiBackColor_; }
    void SetKakuteiBackColor(const QColor& color);
    QColor KakuteiFontColor() const { return kakuteiFontColor_; }
    void SetKakuteiFontColor(const QColor& color);
    // The colour of chosen cells while the panel is disabled (silver unless set).
    QColor DisabelColor() const { return disabelColor_; }
    void SetDisabelColor(const QColor& color);

protected:
    QColor disabledChosenColor() const override { return disabelColor_; }

private:
    int monthNo_[16];
    int lastNo_ = 15;
    bool kessan_ = true;
    int closingDay_ = 99;
    QDate yearStart_;
    QDate yearEnd_;
    QDate firstOpenDate_;
    QColor disabelColor_ = QColor(0xC0, 0xC0, 0xC0);
};

} // namespace controls
