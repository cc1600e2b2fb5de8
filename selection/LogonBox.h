#pragma once
// TLogonBox ("ログイン"): the operator's login to the system database. It takes the connection
// mode (stand-alone or client/server), the operator code and the password, connects the system
// database with the user and password of the application INI file, lets the procedure
// LOGONUSERTEST check the operator and record the login, and fills the session record.
//
// The opener creates it, checks Ready(), and shows it modally; the result OK (1) means logged
// in, Cancel a cancelled login or a database error during the check. Input errors, a refused
// code or password and a failed connection keep the dialog open. The dialog never frees
// itself (KeepOnClose): the opener does.
//
// Without a window: set the controls (btnSA/btnCS, txtOpCode, txtPassword) and call
// OKBtnClick(); result() then holds the modal result (0 while the dialog stays open).

#include "controls/dialogs/Message2Info.h"
#include "controls/forms/TBSDI.h"

#include <QString>

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace selection {

class TAppIniCreateBox;
class TUpPasswordBox;

// The program's number for LOGONUSERTEST (APPVERSION) and its name in messages.
inline constexpr qint32 kLogonAppVersion = 2;
inline const QString kLogonAppName = QStringLiteral("ヂル連動コンポーネント");

// The server's temporary folder of the client/server mode for a system folder: on a Windows
// server the drive of SYSDIR followed by the server-temp folder name ("D:\tallekzaimu\temp");
// on a server with native folders the folder of that name beside SYSDIR
// ("/srv/taxlink/data" → "/srv/taxlink/temp").
QString ServerTempFolder(const QString& sysDir);

class TLogonBox : public controls::TBSDI {
    Q_OBJECT
public:
    explicit TLogonBox(QWidget* owner = nullptr);
    ~TLogonBox() override;

    // The ready flag: creation completed; the opener shows the dialog only when it is set.
    bool Ready() const { return InitOK; }
    // A group number is asked for (connection mode 2 with GROUP set; never in this program).
    bool GroupMode = false;

    // ConnectMode follows the radio buttons; the server-settings button is usable in C/S.
    void btnSAClick();
    // Shows the server-settings dialog modally.
    void btnServerSetteiClick();
    // The login check; see the class comment.
    void OKBtnClick();
    // Connects the system database anew; a failure is explained in the numbered message box.
    bool ConnectSystemDatabase();
    // The operator's name and supervisor flag, and the My Number administrator and approver
    // flags; a failure leaves them empty or off.
    void ReadOperatorProfile();
    void ReadOperatorFlags();
    // The password-only login of the line's single-user products: the operator's stored
    // password of the fixed operator code (empty when none or on an error), and storing a new
    // one, the operator row made as the system user when missing (false on an error).
    QString GetEntryPassword(qint32 opCode);
    bool UpdatePassword(qint32 opCode, const QString& password);

    // The first show: digits-only fields, the server button, the focus. Public so that tests
    // need no window.
    void CMShowingChanged() override;

    // The numbered message box of the connection failures; tests put a recorder in its place.
    std::function<int(controls::TMessage2InfoRec& info)> ShowBox2;

    QLabel* lblCaption1 = nullptr;
    QLabel* lblCaption2 = nullptr;
    QLabel* lblCaption3 = nullptr;
    QGroupBox* grpConnect = nullptr;
    QRadioButton* btnSA = nullptr;
    QRadioButton* btnCS = nullptr;
    QPushButton* btnServerSettei = nullptr;
    QWidget* GroupLine = nullptr; // the group label and field
    QLineEdit* txtGroupID = nullptr;
    QLineEdit* txtOpCode = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* btnUpPassword = nullptr;
    QWidget* UpperPanel = nullptr;
    QWidget* LowerPanel = nullptr;

    // Created with the dialog, freed with it.
    std::unique_ptr<TAppIniCreateBox> ServerSetteiBox;
    // Created on first use by the password-only login.
    std::unique_ptr<TUpPasswordBox> PasswordBox;

private:
    void buildControls();
    void FormCreate();
    bool PreviewKey(QKeyEvent* event);
    QString ApplicationName() const;
    void CodeOrPasswordWrong();
    void LoggedIn(qint32 loginCode, qint32 jobLevel, int mode);

    QString enteredPassword_;
};

} // namespace selection
