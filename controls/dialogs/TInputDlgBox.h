#pragma once
// The one-value input dialog: a text, a password (with a switch to show it), a choice from a
// list with free entry, an amount of money, or a range of two dates. The caller sets the
// public fields, calls Prepare(1), shows the box modally and reads Value (or Date1 and Date2)
// when the result is OK. A base-form dialog that keeps itself on close: the caller frees it.

#include "controls/edits/ImeMode.h"
#include "controls/forms/TBSDI.h"

#include <QDateTime>
#include <QStringList>

class QLabel;
class QPlainTextEdit;

namespace controls {

class TTallekEdit;
class TTallekExDateEdit;
class TxCheckBox;
class TxComboBox;
class TxEdit;
class TxPlButton;

class TInputDlgBox : public TBSDI {
    Q_OBJECT
public:
    explicit TInputDlgBox(QWidget* owner = nullptr);

    qint32 InputMode = 0; // 0 text, 1 password, 2 combo, 3 amount, 4 date range; others as 0
    QString Title;
    QString Message;
    QColor MessageColor;
    QString Value;
    QDateTime Date1, MinDate1, MaxDate1; // invalid: no date, no limit
    QDateTime Date2, MinDate2, MaxDate2;
    QString InputHint;
    qint32 MaxLen = 0; // CP932 bytes of the text or combo field, digits of the amount; 0 = none
    TImeMode InputImeMode = imDontCare;
    bool Required = false;
    qint32 KeyFilter = 0;
    QStringList ComboItems;
    QStringList ForbiddenValues;
    QString ForbiddenMessage;

    // Lays the box out for InputMode.
    void Prepare(int flag);
    // Sets the character filter of the text field (0: none).
    void SetInputCharKind(int keyFilter);

    QLabel* lblMain;
    QWidget* pnlText;
    TxEdit* txtInput;
    TxCheckBox* btnFuseji;
    QWidget* pnlCombo;
    TxComboBox* cmbInput;
    QWidget* pnlKingaku;
    TTallekEdit* txtKingaku;
    QWidget* pnlDate;
    TTallekExDateEdit* txtHizuke1;
    TTallekExDateEdit* txtHizuke2;
    QWidget* pnlBottom;
    QPlainTextEdit* HintArea;
    TxPlButton* F1;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int effectiveMode() const { return InputMode >= 0 && InputMode <= 4 ? InputMode : 0; }
    void applyFuseji();
    void okClicked();
    bool refuse(const QString& message, QWidget* focusBack);

    int prepareFlag_ = 0;
};

} // namespace controls
