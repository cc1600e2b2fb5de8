#pragma once
// The period selector of four quarter buttons "1" to "4", or two half-year buttons "上" and
// "下" (BtnCnt 2). Stno and Edno are button positions. The keyboard moves within the buttons
// that SetKikan left enabled (all of them before the first SetKikan).

#include "controls/kikan/KikanPanelBase.h"

#include <QDate>

namespace controls {

class TxKikanPanel4 : public TxKikanPanelBase {
    Q_OBJECT
public:
    explicit TxKikanPanel4(QWidget* parent = nullptr);

    void SetKikan(int closingDay, const QDate& yearStart, const QDate& yearEnd, const QDate& firstOpenDate);

    void SetStno(int button) { stno_ = button; UpdateCells(); }
    void SetEdno(int button) { edno_ = button; UpdateCells(); }

    int BtnCnt() const { return btnCnt_; }
    // 4 (quarters) or 2 (halves); any other value is ignored.
    void SetBtnCnt(int count);

protected:
    int lowerKeyBound() const override;
    int upperKeyBound() const override;
    int shownCells() const override { return btnCnt_; }
    bool isClosedCell(int) const override { return false; }

private:
    void setTexts();

    int btnCnt_ = 4;
};

} // namespace controls
