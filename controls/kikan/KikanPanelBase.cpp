#include "controls/kikan/KikanPanelBase.h"

#include "controls/keys/FocusMove.h"
#include "core/dates/Periods.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace controls {

int KikanMonthDistance(int closingDay, const QDate& yearStart, const QDate& date) {
    return core::GetMonthCount(closingDay, yearStart, date);
}

TxKikanPanelBase::TxKikanPanelBase(int cellCount, QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    // Its natural size in a layout; a parent that sets a geometry itself gets the cells spread.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    setMouseTracking(true);
    for (int i = 0; i < cellCount; ++i) {
        auto* cell = new QLabel(this);
        cell->setObjectName(QStringLiteral("No%1").arg(i + 1));
        cell->setAlignment(Qt::AlignCenter);
        cell->setAutoFillBackground(true);
        // The panel takes the mouse itself and finds the cell by position.
        cell->setAttribute(Qt::WA_TransparentForMouseEvents);
        cells_ << cell;
    }
    setPanelColor(palette().color(QPalette::Button));
}

void TxKikanPanelBase::SetKikanMove(bool on) {
    kikanMove_ = on;
    if (!on)
        edno_ = stno_;
    UpdateCells();
}

void TxKikanPanelBase::SetBackColor(const QColor& color) {
    backColor_ = color;
    UpdateCells();
}

void TxKikanPanelBase::SetFontColor(const QColor& color) {
    fontColor_ = color;
    UpdateCells();
}

QString TxKikanPanelBase::CellText(int index) const {
    return index >= 0 && index < cells_.size() ? cells_.at(index)->text() : QString();
}

bool TxKikanPanelBase::CellEnabled(int index) const {
    return index >= 0 && index < cells_.size() && cells_.at(index)->isEnabledTo(this);
}

void TxKikanPanelBase::setCellText(int index, const QString& text) {
    if (cells_.at(index)->text() == text)
        return;
    cells_.at(index)->setText(text);
    updateGeometry();
}

void TxKikanPanelBase::setCellEnabled(int index, bool enabled) {
    cells_.at(index)->setEnabled(enabled);
}

bool TxKikanPanelBase::isClosedCell(int index) const {
    return kakuteiMode_ && index <= kakuteiMNo_ - 1;
}

void TxKikanPanelBase::paintCell(int index, bool chosen) {
    QColor back;
    QColor text;
    if (!isEnabled()) {
        back = chosen ? disabledChosenColor() : palette().color(QPalette::Button);
        text = QColor(0x80, 0x80, 0x80);
    } else if (chosen) {
        back = backColor_;
        text = fontColor_;
    } else if (isClosedCell(index)) {
        back = kakuteiBackColor_;
        text = kakuteiFontColor_;
    } else {
        back = palette().color(QPalette::Button);
        text = palette().color(QPalette::WindowText);
    }
    QLabel* cell = cells_.at(index);
    QPalette pal = cell->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Window, back);
        pal.setColor(group, QPalette::WindowText, text);
    }
    cell->setPalette(pal);
}

void TxKikanPanelBase::UpdateCells() {
    for (int i = 0; i < cells_.size(); ++i)
        paintCell(i, i >= stno_ && i <= edno_);
    update();
}

void TxKikanPanelBase::showRange(int a, int b) {
    const int low = qMin(a, b);
    const int high = qMax(a, b);
    for (int i = 0; i < cells_.size(); ++i)
        paintCell(i, i >= low && i <= high);
    // Shown before the next input is handled.
    repaint();
}

void TxKikanPanelBase::reportChoice() {
    if (OnMouseUp)
        OnMouseUp(this, Qt::LeftButton, Qt::NoModifier, 0, 0);
}

// ---- layout --------------------------------------------------------------------------------

namespace {
constexpr int kFrameMargin = 4;  // left and right of the row of cells
constexpr int kTopMargin = 3;    // above and below the cells
constexpr int kDesignCellWidth = 14;
constexpr int kDesignHeight = 22;
} // namespace

int TxKikanPanelBase::naturalCellWidth() const {
    const QFontMetrics metrics(font());
    // Two digits is the widest month; a cell with a wider text makes every cell wider.
    int widest = metrics.horizontalAdvance(QStringLiteral("88"));
    for (int i = 0; i < shownCells() && i < cells_.size(); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(cells_.at(i)->text()));
    return qMax(kDesignCellWidth, widest + 4);
}

QSize TxKikanPanelBase::sizeHint() const {
    const int height = qMax(kDesignHeight, QFontMetrics(font()).height() + 2 * kTopMargin + 2);
    return QSize(shownCells() * naturalCellWidth() + 2 * kFrameMargin, height);
}

QSize TxKikanPanelBase::minimumSizeHint() const {
    return sizeHint();
}

void TxKikanPanelBase::layoutCells() {
    const int count = shownCells();
    const int rowWidth = qMax(count, width() - 2 * kFrameMargin);
    const int cellHeight = qMax(1, height() - 2 * kTopMargin);
    // The cells share the width given; the first ones take the pixels left over.
    const int w = rowWidth / count;
    int leftOver = rowWidth - count * w;
    int x = kFrameMargin;
    for (int i = 0; i < cells_.size(); ++i) {
        if (i >= count) {
            cells_.at(i)->hide();
            continue;
        }
        const int cellWidth = w + (leftOver > 0 ? 1 : 0);
        if (leftOver > 0)
            --leftOver;
        cells_.at(i)->setGeometry(x, kTopMargin, cellWidth, cellHeight);
        cells_.at(i)->show();
        x += cellWidth;
    }
    updateGeometry();
    UpdateCells();
}

void TxKikanPanelBase::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    layoutCells();
}

void TxKikanPanelBase::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        UpdateCells();
}

int TxKikanPanelBase::cellAt(const QPoint& panelPos) const {
    // Across the whole height of the cells' row, by the cell's columns.
    for (int i = 0; i < shownCells() && i < cells_.size(); ++i) {
        const QRect cell = cells_.at(i)->geometry();
        if (panelPos.x() >= cell.left() && panelPos.x() <= cell.right() && panelPos.y() >= cell.top()
            && panelPos.y() <= cell.bottom())
            return i;
    }
    return -1;
}

// ---- mouse ---------------------------------------------------------------------------------

void TxKikanPanelBase::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        const int cell = cellAt(at);
        if (cell < 0 || !CellEnabled(cell) || cell > maxNo_)
            return; // a cell that cannot be chosen leaves the choice as it is
        anchorNo_ = currentNo_ = cell;
        dragging_ = true;
        showRange(cell, cell);
    }
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TxKikanPanelBase::mouseMoveEvent(QMouseEvent* event) {
    if (!kikanMove_ || !dragging_ || !hasFocus())
        return;
    const int cell = cellAt(event->position().toPoint());
    if (cell >= 0 && CellEnabled(cell) && cell <= maxNo_ && cell != currentNo_) {
        currentNo_ = cell;
        showRange(anchorNo_, currentNo_);
    }
}

void TxKikanPanelBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    stno_ = qMin(anchorNo_, currentNo_);
    edno_ = qMax(anchorNo_, currentNo_);
    UpdateCells();
    if (OnMouseUp) {
        const QPoint at = event->position().toPoint();
        OnMouseUp(this, Qt::LeftButton, event->modifiers(), at.x(), at.y());
    }
}

void TxKikanPanelBase::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDblClick)
        OnDblClick(this);
    QFrame::mouseDoubleClickEvent(event);
}

// ---- keyboard and focus --------------------------------------------------------------------

void TxKikanPanelBase::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers shift = shiftStateOf(event);
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        kbdMouse_ = true;
        const int step = key == Qt::Key_Left ? -1 : 1;
        if (shift == Qt::ShiftModifier && kikanMove_) {
            const int next = currentNo_ + step;
            if (next >= lowerKeyBound() && next <= upperKeyBound())
                currentNo_ = next;
        } else {
            const int next = anchorNo_ + step;
            if (next >= lowerKeyBound() && next <= upperKeyBound())
                anchorNo_ = next;
            currentNo_ = anchorNo_;
        }
        showRange(anchorNo_, currentNo_);
        // While Shift is held the start may lie after the end; releasing it puts them in order.
        stno_ = anchorNo_;
        edno_ = currentNo_;
        event->accept();
        return;
    }
    if (key == Qt::Key_Up) {
        SelectNextControl(this, false);
        event->accept();
        return;
    }
    if (isEnterKey(key)) {
        // The choice is reported once: leaving afterwards reports nothing more.
        kbdMouse_ = false;
        reportChoice();
        SelectNextControl(this, true);
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void TxKikanPanelBase::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift) {
        const int low = qMin(stno_, edno_);
        const int high = qMax(stno_, edno_);
        stno_ = low;
        edno_ = high;
        UpdateCells();
    }
    QFrame::keyReleaseEvent(event);
}

void TxKikanPanelBase::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    kbdMouse_ = false;
    setPanelColor(QColor(0x80, 0x80, 0x80));
}

void TxKikanPanelBase::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    setPanelColor(palette().color(QPalette::Button));
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (kbdMouse_) {
        kbdMouse_ = false;
        reportChoice();
    }
}

void TxKikanPanelBase::setPanelColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    // The cells keep their own colours.
    UpdateCells();
}

} // namespace controls
