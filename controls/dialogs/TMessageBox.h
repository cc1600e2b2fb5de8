#pragma once
// The detail message box: a title, one main line in a colour, a scrollable memo of detail
// lines and an optional agreement check box that can gate the OK button. The schema upgrade
// shows with it what is about to change. A base-form dialog that keeps itself on close: the
// show function frees it.

#include "controls/forms/TBSDI.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;

namespace controls {

class TxCheckBox;
class TxPlButton;

struct TMessageInfoRec {
    qint32 Kind = 0;     // 1 one OK button; 2 agreement box gating OK; 3 agreement box without gating; other: OK and Cancel
    quint8 Position = 7; // window position: 4 or 5 centred on the screen, 6 or 7 on the owner form
    QString Caption;
    QString MainText;
    qint32 MainColor = 255; // 0x00BBGGRR, red
    QStringList Details;
    QString AgreeCaption;
};

void InitMessageInfo(TMessageInfoRec& info);

class TMessageBox : public TBSDI {
    Q_OBJECT
public:
    explicit TMessageBox(QWidget* owner = nullptr);

    qint32 Kind = 0;
    QString Caption;
    QString MainText;
    qint32 MainColor = 255;
    QString AgreeCaption;
    // The record's window position (4 or 5 on the screen, 6 or 7 on the owner form); the base
    // form's Position says where it was last put.
    quint8 WindowPosition = 7;

    void SetDetailLines(const QStringList& lines) { details_ = lines; }
    // Lays the box out for its kind and texts.
    void Prepare(int flag);

    QLabel* lblMain;
    QPlainTextEdit* MessageArea;
    TxCheckBox* cboxAgree;
    QWidget* pnlClient;
    QWidget* pnlBottom;
    TxPlButton* btnOK;
    TxPlButton* btnCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TxPlButton* defaultButton() const;
    void placeControls(int clientHeight);
    void placeWindow();

    QStringList details_;
    int prepareFlag_ = 0;
};

// Shows the record's box modally over the active window and returns the modal result.
int ShowMessageBox(const TMessageInfoRec& info);

} // namespace controls
