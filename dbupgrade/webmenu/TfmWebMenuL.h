#pragma once
// The module form "WebMenuL" (caption "ログインユーザー"): the other operators logged on to
// the system database, with the fixed explanation that a version upgrade cannot run while
// they are. The host opens it through the module registry; its modal result tells whether
// anybody else is logged on (RunModule 1, else 0).

#include "controls/forms/TBSDI.h"
#include "core/modules/IModuleForm.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace controls {
class TxGrid;
class TxPlButton;
}

namespace dbupgrade {

// One other login.
struct TWebMenuLogin {
    qint32 OperatorCode = 0;
    qint32 GroupId = 0;
    QString OperatorName;
};

class TfmWebMenuL : public controls::TBSDI, public core::IModuleForm {
    Q_OBJECT

public:
    explicit TfmWebMenuL(QWidget* owner = nullptr);
    ~TfmWebMenuL() override;

    int RunModule(bool modal) override;
    void SetModuleParams(const QStringList& params) override;
    virtual void Prepare(int flag);

    // Reads the other logins; true when there is at least one. Errors go on to the caller.
    bool fnDBConect_OP();

    // The other logins in the order read (every one of them, however many).
    QList<TWebMenuLogin> Logins;
    QStringList ModuleParams;
    qint32 SyoriType = -1;
    int FormStyle = 0; // 0 MDI child, 1 MDI form, 2 normal, 3 stay on top
    int PrepareFlag = 0;

    controls::TxGrid* PerfectGrid1;
    QWidget* HintArea;
    controls::TxPlButton* F12;
    controls::TxPlButton* ESC;
    controls::TxPlButton* F1;

public slots:
    // Whichever way it closes: OK when somebody else is logged on, else Cancel.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Esc does nothing here but is consumed.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillGrid();
    bool closeAtShow_ = false;
};

// Registers the form under "WebMenuL" (start-up).
void RegisterWebMenuLModule();

} // namespace dbupgrade
