#pragma once
// The web-meeting settings of the open data set (module "VxMeetingToolSetting"): whether a web
// meeting is used and its address, the notice mail with the client's communication ID and
// password (mode 0), the meeting date asked before a relay send (mode 1), and the meeting
// opened in the browser (mode 2).

#include "controls/forms/TBSDI.h"
#include "core/modules/IModuleForm.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace controls {
class TTallekExDateEdit;
}

namespace communication {

class TMeetingToolSettingBox : public controls::TBSDI, public core::IModuleForm {
    Q_OBJECT
public:
    explicit TMeetingToolSettingBox(QWidget* owner = nullptr);

    void SetModuleParams(const QStringList& params) override;
    int RunModule(bool modal) override;
    void Prepare(int flag);

    // Before a relay send: 0 when nothing is asked, else the date face's result (1 OK, 2
    // cancel, -1 refused). After the send: the date back to "communicated separately"; 1.
    int ConfirmBeforeSend();
    int ResetAfterSend();

    int SyoriType = 0;
    int FormStyle = 0;
    QStringList ParamList;
    int MeetingUse = 0;
    QString MeetingUrl;
    int DateMode = 2;
    QDateTime MeetingDate; // invalid: none

    // Settings face.
    QWidget* pnlBase = nullptr;
    QCheckBox* cboxMeetingUse = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* MemoUrl = nullptr;
    QPushButton* btnPaste = nullptr;
    QLabel* lblLinkUrl = nullptr;
    QCheckBox* cboxMailSousin = nullptr;
    QLabel* Panel1 = nullptr;
    QLineEdit* txtConID = nullptr;
    QLineEdit* txtConPasswd = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label9 = nullptr;
    QPushButton* btnMailAddress = nullptr;
    // Date face.
    QWidget* pnlHizuke = nullptr;
    QRadioButton* btnContactHizuke = nullptr;
    QRadioButton* btnContactLater = nullptr;
    QRadioButton* btnContactNone = nullptr;
    controls::TTallekExDateEdit* txtContactHizuke = nullptr;
    QPushButton* btnHizukeClear = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* F1 = nullptr;

    // The enabling rules after a click of either box.
    void ApplyEnabling();
    // Validation before saving: false after the message of the first failure.
    bool Validate();
    void OKClick();
    void MailAddressClick();
    void OpenMeeting();
    void LinkClick();
    bool PasswordExit();
    QString ConIdText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QWidget*> idRows_;
};

// Registers the module "VxMeetingToolSetting".
void RegisterMeetingToolSettingModule();

} // namespace communication
