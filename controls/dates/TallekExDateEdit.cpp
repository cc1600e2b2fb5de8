#include "controls/dates/TallekExDateEdit.h"

#include "controls/dates/DateEditMessages.h"
#include "controls/dates/EraList.h"
#include "controls/dates/TallekExDateEditLabel.h"
#include "controls/keys/FocusMove.h"
#include "core/Exception.h"
#include "core/dates/SerialDate.h"
#include "core/ui/MessageService.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace controls {

using namespace datemsg;

namespace {

const QDate kBaseDate(1873, 1, 1);

// No date: nothing, a value before the earliest date the edit handles, or the zero date-time
// (serial 0) that the stored data uses for "no date".
bool isNoDate(const QDateTime& value) {
    return !value.isValid() || value.date() < kBaseDate || value == QDateTime(core::zeroDate(), QTime(0, 0));
}

// A range bound counts when it is a real date after the no-date value and not the zero date.
QDateTime boundOrNone(const QDateTime& bound) {
    return isNoDate(bound) ? QDateTime() : bound;
}

bool isInside(const QWidget* outer, const QWidget* w) {
    // Walks across windows too: a list box's drop-down is a window of its own inside the edit.
    for (; w != nullptr; w = w->parentWidget())
        if (w == outer)
            return true;
    return false;
}

} // namespace

TTallekExDateEdit::TTallekExDateEdit(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    eraBox_ = new QComboBox(this);
    ampmBox_ = new QComboBox(this);
    ampmBox_->addItems({QStringLiteral("午前"), QStringLiteral("午後")});
    const char16_t* const labelTexts[6] = {u"年", u"月", u"日", u"時", u"分", u"秒"};
    for (int i = 0; i < 6; ++i) {
        auto* box = new QLineEdit(this);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setMaxLength(2);
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
        numberBoxes_[i] = box;
        labels_[i] = new TTallekExDateEditLabel(this);
        labels_[i]->SetText(QString::fromUtf16(labelTexts[i]));
        connect(box, &QLineEdit::textChanged, this, [this, box] {
            if (OnChange)
                OnChange(box);
        });
    }
    for (QComboBox* list : {eraBox_, ampmBox_}) {
        list->setAttribute(Qt::WA_InputMethodEnabled, false);
        connect(list, &QComboBox::currentIndexChanged, this, [this, list] {
            if (OnChange)
                OnChange(list);
        });
    }
    // Tab order from left to right.
    QWidget* order[] = {eraBox_, numberBoxes_[0], numberBoxes_[1], numberBoxes_[2],
                        ampmBox_, numberBoxes_[3], numberBoxes_[4], numberBoxes_[5]};
    for (int i = 0; i < 8; ++i) {
        order[i]->installEventFilter(this);
        order[i]->setFocusPolicy(Qt::StrongFocus);
        if (i > 0)
            setTabOrder(order[i - 1], order[i]);
    }
    connect(qApp, &QApplication::focusChanged, this, &TTallekExDateEdit::focusChanged);

    fillEraList();
    arrangeFields();
    applyColors();
    Clear();
}

TTallekExDateEdit::~TTallekExDateEdit() = default;

bool TTallekExDateEdit::hasMinute() const {
    return editStyle_ == desYearMonthDayHMS || editStyle_ == desYearMonthDayHM || editStyle_ == desHourMinuteSecond
           || editStyle_ == desHourMinute;
}

bool TTallekExDateEdit::numberBoxShown(int index) const {
    switch (index) {
    case 0: return hasYear();
    case 1: return hasMonth();
    case 2: return hasDay();
    case 3: return hasHour();
    case 4: return hasMinute();
    default: return hasSecond();
    }
}

const core::TGengoArray& TTallekExDateEdit::activeEras() const {
    static const core::TGengoArray systemEras = SystemEraList();
    return useWarekiTable_ && !eraList_.isEmpty() ? eraList_ : systemEras;
}

QWidget* TTallekExDateEdit::firstBox() const {
    if (hasEraBox())
        return eraBox_;
    if (hasYear())
        return YearBox();
    if (hasAmpmBox())
        return ampmBox_;
    return HourBox();
}

// ---- value ---------------------------------------------------------------------------------

void TTallekExDateEdit::Clear() {
    for (QLineEdit* box : numberBoxes_)
        box->clear();
    eraBox_->setCurrentIndex(-1);
    ampmBox_->setCurrentIndex(-1);
    value_ = QDateTime();
}

QDateTime TTallekExDateEdit::ClampToRange(const QDateTime& value) const {
    if (!value.isValid() || value.date() < kBaseDate)
        return value;
    if (minDate_.isValid() && value < minDate_)
        return minDate_;
    if (maxDate_.isValid() && value > maxDate_)
        return maxDate_;
    return value;
}

void TTallekExDateEdit::SetDateTime(const QDateTime& value) {
    QDateTime v;
    if (value.isValid()) {
        if (hasYear() && hasHour())
            v = value;
        else if (hasYear())
            v = QDateTime(value.date(), QTime(0, 0));
        else
            v = QDateTime(core::zeroDate(), value.time());
    }
    // The year box holds at most four digits.
    if (v.isValid() && v.date().year() > 9999)
        fail(kMsgBadSetValue, firstBox());
    value_ = ClampToRange(v);
    if (isNoDate(value_))
        Clear();
    else
        showValue();
}

QDateTime TTallekExDateEdit::GetDateTime() {
    CheckEntry();
    return isNoDate(value_) ? QDateTime() : value_;
}

void TTallekExDateEdit::CheckEntry() {
    for (QLineEdit* box : numberBoxes_)
        if (box->text() != box->text().trimmed())
            box->setText(box->text().trimmed());
    if (!editGengo_)
        eraBox_->setCurrentIndex(-1);

    // 1 and 2: blank boxes.
    bool allEmpty = true;
    bool someEmpty = false;
    for (int i = 0; i < 6; ++i) {
        if (!numberBoxShown(i))
            continue;
        const bool empty = numberBoxes_[i]->text().isEmpty();
        allEmpty = allEmpty && empty;
        someEmpty = someEmpty || empty;
    }
    if (allEmpty) {
        if (!canEmpty_)
            fail(kMsgAllBlank, firstBox());
        Clear();
        return;
    }
    const bool ampmEmpty = hasAmpmBox() && ampmBox_->currentIndex() < 0;
    if (someEmpty || ampmEmpty) {
        // The first empty box from left to right; an empty era box counts only here.
        QWidget* order[] = {hasEraBox() && eraBox_->currentText().isEmpty() ? eraBox_ : nullptr,
                            numberBoxShown(0) && YearBox()->text().isEmpty() ? YearBox() : nullptr,
                            numberBoxShown(1) && MonthBox()->text().isEmpty() ? MonthBox() : nullptr,
                            numberBoxShown(2) && DayBox()->text().isEmpty() ? DayBox() : nullptr,
                            ampmEmpty ? ampmBox_ : nullptr,
                            numberBoxShown(3) && HourBox()->text().isEmpty() ? HourBox() : nullptr,
                            numberBoxShown(4) && MinuteBox()->text().isEmpty() ? MinuteBox() : nullptr,
                            numberBoxShown(5) && SecondBox()->text().isEmpty() ? SecondBox() : nullptr};
        QWidget* first = nullptr;
        for (QWidget* w : order)
            if (w && !first)
                first = w;
        fail(kMsgSomeBlank, first);
    }
    const auto number = [this](int index, int hidden) {
        return numberBoxShown(index) ? numberBoxes_[index]->text().toInt() : hidden;
    };

    // 3: the calendar year.
    int year = 0;
    if (hasYear()) {
        int position = qMax(0, eraBox_->findText(eraBox_->currentText()));
        if (gengo_ == rsWareki)
            ++position;
        if (position == 0) {
            year = number(0, 0);
            if (yeardigit_ == yddigit2)
                year += QDate::currentDate().year() / 100 * 100;
        } else {
            const core::TGengoArray& eras = activeEras();
            const int startYear = position - 1 < eras.size() ? eras.at(position - 1).startYear : 0;
            year = number(0, 0) + startYear - 1;
        }
    }

    // 4: the time.
    QTime time(0, 0);
    if (hasHour()) {
        const bool twelveHours = hasAmpmBox() && ampmBox_->currentIndex() >= 0;
        const QString& rangeMessage = twelveHours ? kMsgTime12 : kMsgTime24;
        int hour = number(3, 0);
        const int minute = number(4, 0);
        const int second = number(5, 0);
        if (hour >= (twelveHours ? 12 : 24))
            fail(rangeMessage, HourBox());
        if (minute > 59 || second > 59)
            fail(rangeMessage, MinuteBox());
        if (twelveHours && ampmBox_->currentIndex() == 1)
            hour += 12;
        time = QTime(hour, minute, second);
        if (!time.isValid())
            fail(kMsgBadTime, editAmpm_ ? static_cast<QWidget*>(ampmBox_) : HourBox());
    }

    // 5: the date.
    QDate date = core::zeroDate();
    if (hasYear()) {
        if (year < 1873)
            fail(kMsgBefore1873, YearBox());
        if (year >= 2999 && gengo_ != rsSeireki)
            fail(kMsgFrom2999, YearBox());
        date = QDate(year, number(1, 1), number(2, 1));
        if (!date.isValid())
            fail(kMsgBadDate, YearBox());
    }

    // 6: the value, inside the range, shown again.
    const QDateTime value(date, time);
    if (!value.isValid())
        fail(kMsgBadValue, firstBox());
    value_ = ClampToRange(value);
    showValue();
}

void TTallekExDateEdit::fail(const QString& message, QWidget* focusBox) {
    if (displayError_)
        core::showMessage(core::MessageKind::Information, message, core::mbOK, 0, dialogCaption_);
    if (focusBox && isVisible() && isEnabled())
        focusBox->setFocus(Qt::OtherFocusReason);
    core::Abort();
}

void TTallekExDateEdit::showValue() {
    if (!value_.isValid())
        return;
    const QDate date = value_.date();
    if (hasYear() && date >= kBaseDate) {
        if (gengo_ != rsSeireki) {
            const core::TGengoArray& eras = activeEras();
            const int index = EraIndexOf(eras, date);
            if (index >= 0) {
                eraBox_->setCurrentIndex(index + (gengo_ == rsBoth ? 1 : 0));
                YearBox()->setText(QString::number(date.year() - eras.at(index).startYear + 1));
            }
        } else {
            eraBox_->setCurrentIndex(0);
            YearBox()->setText(yeardigit_ == yddigit2 ? QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'))
                                                      : QString::number(date.year()));
        }
        MonthBox()->setText(QString::number(date.month()));
        DayBox()->setText(QString::number(date.day()));
    }
    if (hasHour()) {
        // Midnight shows as 0:00:00 rather than leaving what the boxes held before.
        const QTime time = value_.time();
        int hour = time.hour();
        if (hasAmpmBox()) {
            ampmBox_->setCurrentIndex(hour >= 12 ? 1 : 0);
            if (hour >= 12)
                hour -= 12;
        }
        HourBox()->setText(QString::number(hour));
        MinuteBox()->setText(QString::number(time.minute()));
        SecondBox()->setText(QString::number(time.second()));
    }
}

// ---- eras ----------------------------------------------------------------------------------

void TTallekExDateEdit::SetWarekiTable(const core::TGengoArray& table) {
    useWarekiTable_ = true;
    warekiTable_ = table;
    rebuildEraList();
}

void TTallekExDateEdit::SetUseWarekiTable(bool on) {
    useWarekiTable_ = on;
    fillEraList();
}

void TTallekExDateEdit::rebuildEraList() {
    eraList_ = BuildEraList(warekiTable_, minDate_, maxDate_);
    fillEraList();
}

void TTallekExDateEdit::fillEraList() {
    eraBox_->clear();
    if (gengo_ != rsWareki)
        eraBox_->addItem(QStringLiteral("西暦"));
    for (const core::TGengoRec& era : activeEras()) {
        if (era.name.isEmpty())
            break;
        eraBox_->addItem(era.name);
    }
    // The refilled list has lost the era of the value: show it again.
    if (!isNoDate(value_))
        showValue();
}

// ---- properties ----------------------------------------------------------------------------

void TTallekExDateEdit::SetMinDate(const QDateTime& date) {
    const QDateTime bound = boundOrNone(date);
    if (bound == minDate_)
        return;
    minDate_ = bound;
    rebuildEraList();
    SetDateTime(value_);
}

void TTallekExDateEdit::SetMaxDate(const QDateTime& date) {
    const QDateTime bound = boundOrNone(date);
    if (bound == maxDate_)
        return;
    maxDate_ = bound;
    rebuildEraList();
    SetDateTime(value_);
}

void TTallekExDateEdit::SetGengo(TTallekExRekiSet gengo) {
    if (!editGengo_)
        gengo = rsSeireki;
    if (gengo == gengo_)
        return;
    // What was typed is read in the calendar it was typed in, then shown in the new one.
    bool typed = false;
    for (int i = 0; i < 6; ++i)
        typed = typed || (numberBoxShown(i) && !numberBoxes_[i]->text().trimmed().isEmpty());
    if (typed)
        CheckEntry();
    gengo_ = gengo;
    arrangeFields(); // the year box's length first, so that the value fits when shown
    fillEraList();
}

void TTallekExDateEdit::SetEditGengo(bool on) {
    editGengo_ = on;
    if (!on)
        gengo_ = rsSeireki;
    arrangeFields();
    fillEraList();
}

void TTallekExDateEdit::SetEditAmpm(bool on) {
    editAmpm_ = on;
    arrangeFields();
    if (!isNoDate(value_))
        showValue();
}

void TTallekExDateEdit::SetYeardigit(TTallekExYeardigitSet digits) {
    yeardigit_ = digits;
    arrangeFields();
    if (!isNoDate(value_))
        showValue();
}

void TTallekExDateEdit::SetEditStyle(TTallekExDateEditStyle style) {
    editStyle_ = style;
    arrangeFields();
    Clear();
}

void TTallekExDateEdit::SetSpaceWidth(int pixels) {
    spaceWidth_ = pixels;
    arrangeFields();
}

QString TTallekExDateEdit::LabelText(int index) const {
    return index >= 1 && index <= 6 ? labels_[index - 1]->Text() : QString();
}

void TTallekExDateEdit::SetLabelText(int index, const QString& text) {
    if (index < 1 || index > 6)
        return;
    labels_[index - 1]->SetText(text);
    arrangeFields();
}

void TTallekExDateEdit::SetLabelColor(const QColor& color) {
    labelColor_ = color;
    for (TTallekExDateEditLabel* label : labels_)
        label->SetColor(color);
}

void TTallekExDateEdit::SetTabStop(bool on) {
    tabStop_ = on;
    for (QWidget* box : {static_cast<QWidget*>(eraBox_), static_cast<QWidget*>(ampmBox_)})
        box->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    for (QLineEdit* box : numberBoxes_)
        box->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---- layout and colours --------------------------------------------------------------------

void TTallekExDateEdit::arrangeFields() {
    const QFontMetrics fm(font());
    lineHeight_ = fm.height() + 8;
    const int h = lineHeight_;
    const int listWidth = fm.horizontalAdvance(QStringLiteral("0000")) + 26;
    const bool fourDigitYear = yeardigit_ == yddigit4 && gengo_ != rsWareki;
    const int numberWidth = fm.horizontalAdvance(QStringLiteral("00")) + 16;
    const int yearWidth = fourDigitYear ? fm.horizontalAdvance(QStringLiteral("0000")) + 20 : numberWidth;
    YearBox()->setMaxLength(fourDigitYear ? 4 : 2);
    for (QComboBox* list : {eraBox_, ampmBox_})
        list->view()->setMinimumHeight(0);

    // One part: an optional list box, then number boxes each followed by its label.
    const auto placePart = [&](QComboBox* list, bool listShown, int firstBox, int lastBox, int x, int y) {
        list->setVisible(listShown);
        if (listShown) {
            list->setGeometry(x, y, listWidth, h);
            x += listWidth - 2;
        }
        int right = listShown ? x + 2 : x;
        for (int i = firstBox; i <= lastBox; ++i) {
            const bool shown = numberBoxShown(i);
            numberBoxes_[i]->setVisible(shown);
            labels_[i]->setVisible(shown);
            if (!shown)
                continue;
            const int w = i == 0 ? yearWidth : numberWidth;
            numberBoxes_[i]->setGeometry(x, y, w, h);
            const int labelWidth = fm.horizontalAdvance(labels_[i]->Text()) + 14;
            labels_[i]->setGeometry(x + w, y, labelWidth, h);
            right = x + w + labelWidth;
            x = right - 3;
        }
        return right;
    };

    const int dateRight = placePart(eraBox_, hasEraBox(), 0, 2, 0, 0);
    int width = hasYear() ? dateRight : 0;
    int height = h;
    if (hasHour()) {
        int x = hasYear() ? dateRight + spaceWidth_ : 0;
        int y = 0;
        if (hasYear() && spaceWidth_ < 0) {
            // A negative space puts the time part on a second line, from the left edge.
            x = 0;
            y = h - spaceWidth_;
            height = 2 * h - spaceWidth_;
        }
        width = qMax(width, placePart(ampmBox_, hasAmpmBox(), 3, 5, x, y));
    } else {
        placePart(ampmBox_, false, 3, 5, 0, 0);
    }
    setFixedSize(width, height);
    QWidget* first = firstBox();
    setFocusProxy(first->isEnabled() ? first : nullptr);
    applyColors();
}

void TTallekExDateEdit::setBoxColor(QWidget* box, const QColor& color) {
    QPalette pal = box->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, color);
        pal.setColor(group, QPalette::Button, color);
        pal.setColor(group, QPalette::Text, palette().color(QPalette::Active, QPalette::WindowText));
    }
    pal.setColor(QPalette::Disabled, QPalette::Base, disableColor_);
    pal.setColor(QPalette::Disabled, QPalette::Button, disableColor_);
    pal.setColor(QPalette::Disabled, QPalette::Text, disableFontColor_);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, disableFontColor_);
    box->setPalette(pal);
}

void TTallekExDateEdit::applyColors() {
    // The era box and the six number boxes; the AM/PM box keeps its own colours.
    setBoxColor(eraBox_, eraBox_->hasFocus() ? focusedColor_ : color_);
    for (QLineEdit* box : numberBoxes_)
        setBoxColor(box, box->hasFocus() ? focusedColor_ : color_);
    for (TTallekExDateEditLabel* label : labels_)
        label->SetColor(labelColor_);
}

void TTallekExDateEdit::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        arrangeFields();
    else if (event->type() == QEvent::EnabledChange)
        applyColors();
}

// ---- focus and keys ------------------------------------------------------------------------

void TTallekExDateEdit::fieldEnter(QWidget* box) {
    if (!tabStop_) {
        // While the control is in use its boxes are tab stops, so Tab walks through them.
        for (QWidget* w : {static_cast<QWidget*>(eraBox_), static_cast<QWidget*>(ampmBox_)})
            w->setFocusPolicy(Qt::StrongFocus);
        for (QLineEdit* w : numberBoxes_)
            w->setFocusPolicy(Qt::StrongFocus);
    }
    box->setToolTip(toolTip());
    if (box != ampmBox_)
        setBoxColor(box, focusedColor_);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        if (autoSelect_)
            edit->selectAll();
        else
            edit->setCursorPosition(0);
    }
}

void TTallekExDateEdit::focusChanged(QWidget* old, QWidget* now) {
    const bool wasIn = isInside(this, old);
    const bool isIn = isInside(this, now);
    if (!wasIn && isIn) {
        inUse_ = true;
        if (OnEnter)
            OnEnter(this);
        return;
    }
    // Leaving means another control of the same form takes the focus; a message box or a
    // drop-down of our own is no leave.
    if (!wasIn || isIn || now == nullptr || now->window() != window() || !inUse_)
        return;
    inUse_ = false;
    if (OnExit)
        OnExit(this);
    if (exitCheck_) {
        try {
            CheckEntry();
        } catch (const core::EAbort&) {
            // The message has been shown and the focus put back on the box.
        }
    }
    SetTabStop(tabStop_);
}

bool TTallekExDateEdit::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QWidget*>(watched);
    if (box == nullptr || box->parentWidget() != this)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // The box's own focus handling first (it selects on Tab), then ours.
        static_cast<QObject*>(box)->event(event);
        fieldEnter(box);
        return true;
    case QEvent::FocusOut:
        if (box != ampmBox_)
            setBoxColor(box, color_);
        return false;
    case QEvent::MouseButtonRelease:
        if (OnClick)
            OnClick(box);
        return false;
    case QEvent::KeyPress:
        return fieldKeyPress(box, static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

bool TTallekExDateEdit::fieldKeyPress(QWidget* box, QKeyEvent* event) {
    int key = keyCodeOf(event);
    const Qt::KeyboardModifiers shift = shiftStateOf(event);
    if (key == Qt::Key_Tab)
        return false; // the form walks from box to box
    if (OnKeyDown)
        OnKeyDown(box, key, shift);
    if (key == 0)
        return true;
    auto* list = qobject_cast<QComboBox*>(box);
    const bool dropped = list && list->view()->isVisible();

    if (isEnterKey(key)) {
        if (dropped)
            list->hidePopup();
        if (!enterNext_)
            return false;
        // Enter moves on like Tab (back with Shift).
        const bool back = shift & Qt::ShiftModifier;
        QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(box, &tab);
        return true;
    }
    if (key == Qt::Key_Down && dropDownKey_ && !dropped) {
        if (list)
            list->showPopup();
        return true;
    }
    if (key == Qt::Key_Delete && list) {
        if (list->currentIndex() >= 0)
            list->setCurrentIndex(-1); // fires OnChange: the box had text
        return true;
    }

    QChar ch = keyCharOf(event);
    if (ch.isNull() || ch.unicode() == 0x7F)
        return false; // keys that type nothing: the box's own handling
    if (OnKeyPress)
        OnKeyPress(box, ch);
    if (ch.isNull())
        return true;
    const bool passes = ch == u'\b' || ch.unicode() == 27 || (!list && ch >= u'0' && ch <= u'9');
    return !passes;
}

} // namespace controls
