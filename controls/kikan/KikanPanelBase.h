#pragma once
// What the three period panels share: a row of cells of which a range is chosen with the
// mouse (click, or press and drag) or the keyboard (Left and Right move, Shift with them
// extends), the colours of chosen, unchosen and closed cells, the layout of the row and the
// report of a finished choice through OnMouseUp (from a cell, or at 0,0 for the keyboard).
// Cell positions run from 0; a choice is read as Stno..Edno.
// The panel has a fixed height and a natural width (every cell wide enough for its text); it
// lays its cells out inside whatever size its parent or layout gives it and never resizes
// itself.

#include "controls/keys/ControlEvents.h"

#include <QColor>
#include <QFrame>
#include <QList>

class QLabel;

namespace controls {

class TxKikanPanelBase : public QFrame {
    Q_OBJECT
public:
    int Stno() const { return stno_; }
    int Edno() const { return edno_; }
    bool KikanMove() const { return kikanMove_; }
    // Off: one cell only; Edno follows Stno.
    void SetKikanMove(bool on);
    int FirstNo() const { return firstNo_; }
    int MaxNo() const { return maxNo_; }
    int AnchorNo() const { return anchorNo_; }
    int CurrentNo() const { return currentNo_; }
    // The choice was changed from the keyboard and not reported yet.
    bool KBDMOUSE() const { return kbdMouse_; }

    QColor BackColor() const { return backColor_; }
    void SetBackColor(const QColor& color);
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& color);

    QLabel* Cell(int index) const { return cells_.value(index); }
    QString CellText(int index) const;
    bool CellEnabled(int index) const;

    // Recolours every cell from Stno..Edno and the closed cells.
    virtual void UpdateCells();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnDblClick;

protected:
    TxKikanPanelBase(int cellCount, QWidget* parent);

    // The keyboard moves stay within these cells.
    virtual int lowerKeyBound() const { return firstNo_; }
    virtual int upperKeyBound() const { return maxNo_; }
    // Cells laid out in the row (the four-button panel shows two for halves).
    virtual int shownCells() const { return int(cells_.size()); }
    // The panel's closed cells: the first KakuteiMNo cells while KakuteiMode is on.
    virtual bool isClosedCell(int index) const;
    // The colour of chosen cells while the panel is disabled.
    virtual QColor disabledChosenColor() const { return QColor(0xC0, 0xC0, 0xC0); }

    // The narrowest a cell may be: its text with a margin, at least the design width.
    int naturalCellWidth() const;
    void setCellText(int index, const QString& text);
    void setCellEnabled(int index, bool enabled);
    void paintCell(int index, bool chosen);
    // Shows the cells from a to b (either order) chosen and the others not.
    void showRange(int a, int b);
    void layoutCells();
    void reportChoice(); // OnMouseUp as for the keyboard

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    QList<QLabel*> cells_;
    int stno_ = 0;
    int edno_ = 0;
    int anchorNo_ = 0;
    int currentNo_ = 0;
    int firstNo_ = 0;
    int maxNo_ = 0;
    bool kikanMove_ = true;
    bool dragging_ = false;
    bool kbdMouse_ = false;
    bool kakuteiMode_ = false;
    int kakuteiMNo_ = 0;
    QColor backColor_ = QColor(0, 0, 128);               // navy
    QColor fontColor_ = Qt::white;
    QColor kakuteiBackColor_ = QColor(0xFF, 0x80, 0x40); // orange
    QColor kakuteiFontColor_ = Qt::white;

private:
    int cellAt(const QPoint& panelPos) const;
    void setPanelColor(const QColor& color);
};

// The cell of a date in a fiscal year laid out by closing months: the month distance from the
// year start (closing months, core::GetMonthCount). A closing day other than 1-28 or 99 sounds
// a beep (once) and leaves every date as it is.
int KikanMonthDistance(int closingDay, const QDate& yearStart, const QDate& date);

} // namespace controls
