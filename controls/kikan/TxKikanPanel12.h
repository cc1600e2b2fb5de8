#pragma once
// The period selector of the twelve months only (no mark cells, no settlement cell). Cells
// stand for the fixed period indexes 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14.

#include "controls/kikan/KikanPanelBase.h"

#include <QDate>

namespace controls {

class TxKikanPanel12 : public TxKikanPanelBase {
    Q_OBJECT
public:
    explicit TxKikanPanel12(QWidget* parent = nullptr);

    void SetKikan(int closingDay, const QDate& yearStart, const QDate& yearEnd, const QDate& firstOpenDate);

    // Both kept within 0..MaxNo and in order.
    void SetStno(int cell);
    void SetEdno(int cell);

    int MonthNo(int cell) const;
    int StMonNo() const { return MonthNo(stno_); }
    int EdMonNo() const { return MonthNo(edno_); }
    int LastNo() const { return maxNo_; }

    bool KakuteiMode() const { return kakuteiMode_; }
    void SetKakuteiMode(bool on);
    int KakuteiMNo() const { return kakuteiMNo_; }
    void SetKakuteiMNo(int cells);
    QColor KakuteiBackColor() const { return kakuteiBackColor_; }
    void SetKakuteiBackColor(const QColor& color);
    QColor KakuteiFontColor() const { return kakuteiFontColor_; }
    void SetKakuteiFontColor(const QColor& color);

private:
    void putInOrder();
};

// The month distance of a twelve-month panel: 0-11, anything else 11.
int KikanCellOf12(int closingDay, const QDate& yearStart, const QDate& date);

} // namespace controls
