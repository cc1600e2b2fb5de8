#pragma once
// TUpPasswordBox: sets an operator's first password ("パスワードの設定") or changes the current one
// ("パスワードの変更"). The opener passes the current password with SetCurrentPassword, shows the
// box modally and on OK reads NewPassword(). Passwords are letters and digits only.

#include "controls/forms/TBSDI.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace selection {

class TUpPasswordBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TUpPasswordBox(QWidget* owner = nullptr);
    ~TUpPasswordBox() override;

    bool Ready() const { return InitOK; }

    // Keeps the current password (empty: none yet) and lays the box out for a change or a
    // first setting; the three edits are emptied.
    void SetCurrentPassword(const QString& current);
    // The new password after OK; empty until then.
    QString NewPassword() const { return newPassword_; }
    bool ChangeMode() const { return changeMode_; }

    // A key typed into one of the three edits: only Enter, Backspace, "0"-"9", "A"-"Z" and
    // "a"-"z" are kept; any other key is cleared (key := 0).
    static void txtPasswordNowKeyPress(QChar& key);
    // The checks of the entries; on success the dialog ends with OK.
    void btnOkClick();
    // The first show: the focus to the first edit in use. Public so that tests need no window.
    void CMShowingChanged() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QWidget* NowLine = nullptr; // Label2 and txtPasswordNow
    QLineEdit* txtPasswordNow = nullptr;
    QLineEdit* txtPasswordNew1 = nullptr;
    QLineEdit* txtPasswordNew2 = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    bool PreviewKey(QKeyEvent* event);

    bool changeMode_ = false;
    QString currentPassword_;
    QString newPassword_;
};

} // namespace selection
