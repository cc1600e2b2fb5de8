#include "controls/combo/TxCheckedComboBox.h"

#include "controls/keys/FocusMove.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QVBoxLayout>

namespace controls {

namespace {

// "%d" of the count format filled with the number ("%%" is a percent sign).
QString formatCount(const QString& format, int count) {
    QString out;
    bool filled = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format.at(i) == u'%' && i + 1 < format.size()) {
            const QChar next = format.at(i + 1);
            if (next == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            if (next == u'd' && !filled) {
                out += QString::number(count);
                filled = true;
                ++i;
                continue;
            }
        }
        out += format.at(i);
    }
    return out;
}

} // namespace

TxCheckedComboBox::TxCheckedComboBox(QWidget* parent) : QFrame(parent) {
    setFocusPolicy(Qt::StrongFocus);
    textPart_ = new QLabel(this);
    textPart_->setFrameStyle(QFrame::Box | QFrame::Plain);
    textPart_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    textPart_->setAutoFillBackground(true);
    textPart_->installEventFilter(this);
    arrow_ = new QWidget(this);
    arrow_->setAttribute(Qt::WA_Hover);
    arrow_->installEventFilter(this);

    dropDown_ = new QFrame(this, Qt::Popup);
    dropDown_->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* layout = new QVBoxLayout(dropDown_);
    layout->setContentsMargins(1, 1, 1, 1);
    list_ = new QListWidget(dropDown_);
    layout->addWidget(list_);
    dropDown_->installEventFilter(this);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!fillingList_)
            ClickCheck(list_->row(item), item->checkState() == Qt::Checked);
    });

    menu_ = new QMenu(this);
    selectAllAction_ = menu_->addAction(capSelectAll_, this, [this] { SelectAll(); });
    deSelectAllAction_ = menu_->addAction(capDeSelectAll_, this, [this] { DeSelectAll(); });
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(list_->viewport()->mapToGlobal(at)); });

    resize(120, 20);
    fitHeightToFont();
    refreshDisplay();
    applyLook();
}

TxCheckedComboBox::~TxCheckedComboBox() = default;

// ---- properties ----------------------------------------------------------------------------

void TxCheckedComboBox::SetItems(const QStringList& items) {
    items_ = items;
    if (sorted_)
        items_.sort();
    reloadList();
}

void TxCheckedComboBox::SetCapSelectAll(const QString& caption) {
    capSelectAll_ = caption;
    selectAllAction_->setText(caption);
}

void TxCheckedComboBox::SetCapDeSelectAll(const QString& caption) {
    capDeSelectAll_ = caption;
    deSelectAllAction_->setText(caption);
}

void TxCheckedComboBox::SetSorted(bool on) {
    sorted_ = on;
    if (on)
        SetItems(items_);
}

void TxCheckedComboBox::SetColumns(int columns) {
    columns_ = columns;
    // Several columns: the items run down each column and on into the next.
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(columns >= 2);
}

void TxCheckedComboBox::SetDropDownLines(int lines) {
    if (lines >= 1 && lines <= 20)
        dropDownLines_ = lines;
}

void TxCheckedComboBox::SetEmptyValue(const QString& text) {
    emptyValue_ = text;
    refreshDisplay();
}

void TxCheckedComboBox::SetDispStyle(TCHBDispStyle style) {
    dispStyle_ = style;
    refreshDisplay();
}

void TxCheckedComboBox::SetKensuValueFormat(const QString& format) {
    kensuValueFormat_ = format;
    refreshDisplay();
}

void TxCheckedComboBox::SetSortDisplay(bool on) {
    sortDisplay_ = on;
    refreshDisplay();
}

void TxCheckedComboBox::SetMultiSelect(bool on) {
    multiSelect_ = on;
    selectAllAction_->setEnabled(on);
}

// ---- ticked items --------------------------------------------------------------------------

QString TxCheckedComboBox::DisplayText() const {
    if (ticked_.isEmpty())
        return emptyValue_;
    if (dispStyle_ == dsKensu)
        return ticked_.size() == 1 ? items_.value(ticked_.first()) : formatCount(kensuValueFormat_, int(ticked_.size()));
    QList<int> order = ticked_;
    if (sortDisplay_)
        std::sort(order.begin(), order.end());
    QStringList texts;
    for (int index : order)
        texts << items_.value(index);
    return texts.join(u',');
}

void TxCheckedComboBox::ClickCheck(int index, bool ticked) {
    if (index < 0 || index >= items_.size())
        return;
    fillingList_ = true;
    if (ticked) {
        if (!multiSelect_) {
            for (int other : std::as_const(ticked_))
                if (other != index)
                    list_->item(other)->setCheckState(Qt::Unchecked);
            ticked_.clear();
        }
        if (!ticked_.contains(index))
            ticked_ << index;
    } else {
        ticked_.removeAll(index);
    }
    list_->item(index)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    fillingList_ = false;
    changed();
    if (OnClickCheck)
        OnClickCheck(this);
}

void TxCheckedComboBox::SelectAll() {
    if (!multiSelect_)
        return;
    fillingList_ = true;
    ticked_.clear();
    for (int i = 0; i < list_->count(); ++i) {
        list_->item(i)->setCheckState(Qt::Checked);
        ticked_ << i;
    }
    fillingList_ = false;
    changed();
}

void TxCheckedComboBox::DeSelectAll() {
    fillingList_ = true;
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(Qt::Unchecked);
    ticked_.clear();
    fillingList_ = false;
    changed();
}

void TxCheckedComboBox::changed() {
    refreshDisplay();
    if (OnChange)
        OnChange(this);
}

void TxCheckedComboBox::reloadList() {
    fillingList_ = true;
    list_->clear();
    ticked_.clear();
    refreshDisplay();
    for (const QString& text : std::as_const(items_)) {
        auto* item = new QListWidgetItem(text, list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    fillingList_ = false;
}

void TxCheckedComboBox::refreshDisplay() {
    textPart_->setText(DisplayText());
}

// ---- drop-down -----------------------------------------------------------------------------

int TxCheckedComboBox::DropDownRows() const {
    int rows = dropDownLines_;
    const int count = int(items_.size());
    if (columns_ < 2 && count < rows)
        rows = count;
    if (columns_ >= 2)
        rows = count / columns_ + 1;
    return qBound(1, rows, 20);
}

bool TxCheckedComboBox::DroppedDown() const {
    return dropDown_->isVisible();
}

void TxCheckedComboBox::DropDown() {
    setArrowState(TCHBArrowState::Press);
    if (items_.isEmpty() || DroppedDown())
        return;
    if (arrowClickConsumed_) {
        // This click is the one that closed the list.
        arrowClickConsumed_ = false;
        return;
    }
    if (OnClick)
        OnClick(this);
    const int rows = DropDownRows();
    const int itemHeight = qMax(1, list_->sizeHintForRow(0));
    const int width = qMax(this->width(), dropDownWidth_);
    const int height = rows * itemHeight + 4;
    list_->setFont(font());
    QPoint at = mapToGlobal(QPoint(0, this->height()));
    const QScreen* screen = this->screen();
    if (screen && at.y() + height > screen->availableGeometry().bottom() - 20)
        at.setY(at.y() - height - this->height()); // no room below: open upwards
    dropDown_->setGeometry(at.x(), at.y(), width, height);
    dropDown_->show();
    list_->setFocus();
}

void TxCheckedComboBox::CloseUp() {
    if (DroppedDown())
        dropDown_->hide(); // the hide event finishes the close-up
}

void TxCheckedComboBox::setArrowState(TCHBArrowState state) {
    arrowState_ = isEnabled() ? state : TCHBArrowState::Gray;
    arrow_->update();
}

// ---- look ----------------------------------------------------------------------------------

void TxCheckedComboBox::fitHeightToFont() {
    // Like an edit box: the text height and a border of six pixels.
    setFixedHeight(QFontMetrics(font()).height() + 6);
}

void TxCheckedComboBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const int h = height();
    arrow_->setGeometry(width() - h, 0, h, h);
    textPart_->setGeometry(0, 0, qMax(0, width() - h - 3), h);
}

void TxCheckedComboBox::applyLook() {
    QPalette pal = textPart_->palette();
    QColor back = Qt::white;
    QColor text = palette().color(QPalette::WindowText);
    if (!isEnabled())
        text = QColor(0x80, 0x80, 0x80);
    else if (hasFocus())
        back = palette().color(QPalette::Highlight), text = Qt::white;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Window, back);
        pal.setColor(group, QPalette::WindowText, text);
    }
    textPart_->setPalette(pal);
    setArrowState(isEnabled() ? (arrowState_ == TCHBArrowState::Gray ? TCHBArrowState::Normal : arrowState_)
                              : TCHBArrowState::Gray);
}

void TxCheckedComboBox::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitHeightToFont();
    if (event->type() == QEvent::EnabledChange)
        applyLook();
}

void TxCheckedComboBox::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    applyLook();
    if (event->reason() != Qt::PopupFocusReason && OnEnter)
        OnEnter(this);
}

void TxCheckedComboBox::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    applyLook();
    if (event->reason() != Qt::PopupFocusReason && OnExit)
        OnExit(this);
}

// ---- keys and mouse ------------------------------------------------------------------------

void TxCheckedComboBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4) {
        DropDown();
        event->accept();
        return;
    }
    if (isEnterKey(event->key())) {
        SelectNextControl(this, true);
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

bool TxCheckedComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == arrow_) {
        switch (event->type()) {
        case QEvent::Paint: {
            QPainter p(arrow_);
            QStyleOption option;
            option.initFrom(arrow_);
            option.state.setFlag(QStyle::State_Sunken, arrowState_ == TCHBArrowState::Press);
            option.state.setFlag(QStyle::State_MouseOver, arrowState_ == TCHBArrowState::Hot);
            option.state.setFlag(QStyle::State_Enabled, arrowState_ != TCHBArrowState::Gray);
            style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &p, arrow_);
            option.rect = arrow_->rect().adjusted(4, 4, -4, -4);
            style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &p, arrow_);
            return true;
        }
        case QEvent::MouseButtonPress:
            setFocus(Qt::MouseFocusReason);
            DropDown();
            if (OnButtonClick)
                OnButtonClick(this);
            return true;
        case QEvent::Enter:
            if (!DroppedDown())
                setArrowState(TCHBArrowState::Hot);
            return false;
        case QEvent::Leave:
            if (!DroppedDown())
                setArrowState(TCHBArrowState::Normal);
            return false;
        default:
            return false;
        }
    }
    if (watched == textPart_ && event->type() == QEvent::MouseButtonPress) {
        setFocus(Qt::MouseFocusReason);
        if (OnPanelClick)
            OnPanelClick(this);
        return true;
    }
    if (watched == dropDown_ && event->type() == QEvent::Hide) {
        setArrowState(TCHBArrowState::Normal);
        // A click on the arrow that closed the list must not open it again.
        arrowClickConsumed_ = arrow_->rect().contains(arrow_->mapFromGlobal(QCursor::pos()));
        setFocus(Qt::OtherFocusReason);
        if (OnCloseUp)
            OnCloseUp(this);
        return false;
    }
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers shift = shiftStateOf(key);
        if (key->key() == Qt::Key_Escape) {
            CloseUp();
            return true;
        }
        if (isEnterKey(key->key()) || (key->key() == Qt::Key_Tab && shift == Qt::NoModifier)) {
            CloseUp();
            SelectNextControl(this, true);
            return true;
        }
        if (key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && shift == Qt::ShiftModifier)) {
            CloseUp();
            SelectNextControl(this, false);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace controls
