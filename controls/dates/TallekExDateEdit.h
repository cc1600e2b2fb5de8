#pragma once
// The product line's date and time field: a row of small boxes (era list, year, month, day,
// AM/PM list, hour, minute, second, each number box followed by its unit label) read as one
// date-time value. The entry is checked when the value is asked for (GetDateTime), when the
// calendar changes and, with ExitCheck, when the focus leaves: an error is shown with
// DialogCaption through the message service (when DisplayError is on), the focus goes to the
// wrong box and the operation ends with the silent abort (core::EAbort), so that the caller's
// handler stops there.
//
// Values are QDateTime. "No date" is an invalid QDateTime; the zero date-time 1899-12-30
// 00:00 counts as no date too, and so does any value before 1873-01-01, the earliest date the
// edit handles. A time-only style gives its time on the zero date 1899-12-30.
//
// Eras come from the table handed over by SetWarekiTable (newest era first), narrowed to what
// MinDate and MaxDate allow; without a table the built-in eras stand in.

#include "controls/keys/ControlEvents.h"
#include "core/dates/Gengo.h"

#include <QDateTime>
#include <QWidget>

class QComboBox;
class QLineEdit;

namespace controls {

class TTallekExDateEditLabel;

enum TTallekExDateEditStyle {
    desYearMonthDayHMS,
    desYearMonthDayHM,
    desYearMonthDayH,
    desYearMonthDay,
    desYearMonth,
    desYear,
    desHourMinuteSecond,
    desHourMinute,
    desHour,
};
enum TTallekExYeardigitSet { yddigit2, yddigit4 };
enum TTallekExRekiSet { rsSeireki, rsWareki, rsBoth };

class TTallekExDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit TTallekExDateEdit(QWidget* parent = nullptr);
    ~TTallekExDateEdit() override;

    // Empties every box and sets the value to no date.
    void Clear();
    // Shows the value (its date part, time part or both as the style has them), kept inside
    // MinDate..MaxDate; no date, or a value before 1873-01-01, empties the control.
    void SetDateTime(const QDateTime& value);
    // Checks the entry (which may end in the silent abort) and returns the value; an invalid
    // QDateTime when the control holds no date.
    QDateTime GetDateTime();
    // Checks the entry and takes the value; errors as for GetDateTime.
    void CheckEntry();
    // The value moved inside MinDate..MaxDate; no date stays as it is.
    QDateTime ClampToRange(const QDateTime& value) const;
    // Takes eras from this table from now on (newest era first).
    void SetWarekiTable(const core::TGengoArray& table);

    QDateTime MinDate() const { return minDate_; }
    void SetMinDate(const QDateTime& date); // invalid: no limit
    QDateTime MaxDate() const { return maxDate_; }
    void SetMaxDate(const QDateTime& date);

    TTallekExRekiSet Gengo() const { return gengo_; }
    void SetGengo(TTallekExRekiSet gengo);
    bool CanEmpty() const { return canEmpty_; }
    void SetCanEmpty(bool on) { canEmpty_ = on; }
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }
    TTallekExYeardigitSet Yeardigit() const { return yeardigit_; }
    void SetYeardigit(TTallekExYeardigitSet digits);
    QColor FocusedColor() const { return focusedColor_; }
    void SetFocusedColor(const QColor& color) { focusedColor_ = color; applyColors(); }
    QColor DisableFontColor() const { return disableFontColor_; }
    void SetDisableFontColor(const QColor& color) { disableFontColor_ = color; applyColors(); }
    QColor DisableColor() const { return disableColor_; }
    void SetDisableColor(const QColor& color) { disableColor_ = color; applyColors(); }
    QColor Color() const { return color_; }
    void SetColor(const QColor& color) { color_ = color; applyColors(); }
    QColor LabelColor() const { return labelColor_; }
    void SetLabelColor(const QColor& color);
    // Label texts by index 1 (年) to 6 (秒).
    QString LabelText(int index) const;
    void SetLabelText(int index, const QString& text);
    int SpaceWidth() const { return spaceWidth_; }
    void SetSpaceWidth(int pixels);
    bool EditGengo() const { return editGengo_; }
    void SetEditGengo(bool on);
    bool EditAmpm() const { return editAmpm_; }
    void SetEditAmpm(bool on);
    bool EnterNext() const { return enterNext_; }
    void SetEnterNext(bool on) { enterNext_ = on; }
    bool ExitCheck() const { return exitCheck_; }
    void SetExitCheck(bool on) { exitCheck_ = on; }
    bool DisplayError() const { return displayError_; }
    void SetDisplayError(bool on) { displayError_ = on; }
    bool DropDownKey() const { return dropDownKey_; }
    void SetDropDownKey(bool on) { dropDownKey_ = on; }
    QString DialogCaption() const { return dialogCaption_; }
    void SetDialogCaption(const QString& caption) { dialogCaption_ = caption; }
    TTallekExDateEditStyle EditStyle() const { return editStyle_; }
    void SetEditStyle(TTallekExDateEditStyle style);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool on);
    bool UseWarekiTable() const { return useWarekiTable_; }
    void SetUseWarekiTable(bool on);

    // The boxes, for the forms that place focus or hints and for tests.
    QComboBox* EraBox() const { return eraBox_; }
    QComboBox* AmpmBox() const { return ampmBox_; }
    QLineEdit* YearBox() const { return numberBoxes_[0]; }
    QLineEdit* MonthBox() const { return numberBoxes_[1]; }
    QLineEdit* DayBox() const { return numberBoxes_[2]; }
    QLineEdit* HourBox() const { return numberBoxes_[3]; }
    QLineEdit* MinuteBox() const { return numberBoxes_[4]; }
    QLineEdit* SecondBox() const { return numberBoxes_[5]; }
    TTallekExDateEditLabel* Label(int index) const { return labels_[index - 1]; }
    int LineHeight() const { return lineHeight_; }

    // Relayed from the boxes, with the box as sender.
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyDown;
    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool hasYear() const { return editStyle_ <= desYear; }
    bool hasMonth() const { return editStyle_ <= desYearMonth; }
    bool hasDay() const { return editStyle_ <= desYearMonthDay; }
    bool hasHour() const { return editStyle_ <= desYearMonthDayH || editStyle_ >= desHourMinuteSecond; }
    bool hasMinute() const;
    bool hasSecond() const { return editStyle_ == desYearMonthDayHMS || editStyle_ == desHourMinuteSecond; }
    bool hasEraBox() const { return editGengo_ && hasYear(); }
    bool hasAmpmBox() const { return editAmpm_ && hasHour(); }
    bool numberBoxShown(int index) const;
    const core::TGengoArray& activeEras() const;
    QWidget* firstBox() const;

    void fillEraList();
    void rebuildEraList();
    void showValue();
    void arrangeFields();
    void applyColors();
    void fail(const QString& message, QWidget* focusBox);
    void setBoxColor(QWidget* box, const QColor& color);
    void fieldEnter(QWidget* box);
    void focusChanged(QWidget* old, QWidget* now);
    bool fieldKeyPress(QWidget* box, QKeyEvent* event);

    QDateTime value_;
    QDateTime minDate_;
    QDateTime maxDate_;
    TTallekExRekiSet gengo_ = rsWareki;
    bool canEmpty_ = true;
    bool autoSelect_ = true;
    TTallekExYeardigitSet yeardigit_ = yddigit4;
    QColor focusedColor_ = Qt::white;
    QColor disableFontColor_ = Qt::white;
    QColor disableColor_ = QColor(109, 109, 109); // the system's grey-text colour
    QColor color_ = Qt::white;
    QColor labelColor_ = QColor(0xE4, 0xE4, 0xE4);
    int spaceWidth_ = 7;
    bool editGengo_ = true;
    bool editAmpm_ = false;
    bool enterNext_ = true;
    bool exitCheck_ = false;
    bool displayError_ = true;
    bool dropDownKey_ = true;
    QString dialogCaption_ = QStringLiteral("日付時刻入力");
    TTallekExDateEditStyle editStyle_ = desYearMonthDay;
    bool tabStop_ = true;
    bool useWarekiTable_ = false;
    core::TGengoArray warekiTable_;
    core::TGengoArray eraList_;
    int lineHeight_ = 0;

    QComboBox* eraBox_;
    QComboBox* ampmBox_;
    QLineEdit* numberBoxes_[6];
    TTallekExDateEditLabel* labels_[6];
    bool inUse_ = false; // the focus is inside the control
};

} // namespace controls
