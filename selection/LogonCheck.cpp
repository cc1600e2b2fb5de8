// The login check of TLogonBox: the connection of the system database, the procedure
// LOGONUSERTEST, the operator's profile and flags, and the stored password of the
// password-only login.
#include "selection/LogonBox.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/errors/IscErrorText.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"
#include "selection/AppIniCreateBox.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

namespace selection {

namespace {

const QString kCodeOrPasswordWrong =
    QStringLiteral("コードまたはパスワードが違います。\r正しいコードまたはパスワードを入力して下さい。");
const QString kServerButtonHint = QStringLiteral("[サーバー設定]ボタンを押して正しい情報を入力して下さい。");
const QString kConnectFailed = QStringLiteral("財務システムデータベースの接続処理に失敗しました。");

void Error(const QString& text) { core::showMessage(core::MessageKind::Error, text); }

} // namespace

QString ServerTempFolder(const QString& sysDir)
{
    const QString drive = DriveOf(sysDir);
    if (!drive.isEmpty())
        return drive + core::Identity.ServerTempDir;
    const QString tempName = QFileInfo(core::NativeSubPath(core::Identity.ServerTempDir)).fileName();
    if (sysDir.startsWith(u'/')) {
        QString parent = QFileInfo(QDir::cleanPath(sysDir)).path();
        return (parent.endsWith(u'/') ? parent : parent + u'/') + tempName;
    }
    return core::NativeSubPath(core::Identity.ServerTempDir);
}

void TLogonBox::CodeOrPasswordWrong()
{
    Error(kCodeOrPasswordWrong);
    txtOpCode->setFocus();
}

void TLogonBox::OKBtnClick()
{
    setResult(core::mrNone);
    const int mode = core::ConnectMode == 2 ? 2 : core::ConnectMode > 1 ? 0 : btnCS->isChecked() ? 1 : 0;
    if (ServerSetteiBox->LoadServerSettings(mode) != 1) {
        Error(QStringLiteral("iniファイルよりデータベース情報の取得に失敗しました。"));
        return;
    }
    bool numeric = false;
    const qint32 opCode = txtOpCode->text().trimmed().toInt(&numeric);
    if (!numeric || opCode < 10) {
        CodeOrPasswordWrong();
        return;
    }
    if (mode == 1) {
        if (core::SystemDef.HOSTNAME.isEmpty()) {
            Error(QStringLiteral("データサーバーのコンピュータ名が設定されていません。\r") + kServerButtonHint);
            return;
        }
        if (core::SystemDef.SYSDIR.isEmpty()) {
            Error(QStringLiteral("データサーバー上のデータパスが設定されていません。\r") + kServerButtonHint);
            return;
        }
    }
    if (!ConnectSystemDatabase())
        return;

    core::TDM& dm = *core::DM;
    qint32 num = 0, loginCode = 0, jobLevel = 0;
    // Started only when none is active, and then ended here; an error rolls back what it started.
    core::TransactionScope scope(dm.IBTransactionDEF);
    try {
        core::SystemDef.OPCODE = 0;
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        q.sql() << QStringLiteral("SELECT NUM,LOGINCODE,JOBLEVEL FROM LOGONUSERTEST(:PCNAME,:GROUPID,:OPCODE,:APPVERSION,:PASWORD)");
        q.paramByName(QStringLiteral("PCNAME")).setString(core::SystemDef.ComputerName);
        q.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        q.paramByName(QStringLiteral("OPCODE")).setInteger(opCode);
        q.paramByName(QStringLiteral("APPVERSION")).setInteger(kLogonAppVersion);
        q.paramByName(QStringLiteral("PASWORD")).setString(txtPassword->text());
        q.execQuery();
        // No row at all is an answer the procedure never gives: the dialog stays open.
        num = q.eof() ? -2 : q.fieldByName(QStringLiteral("NUM")).asInteger();
        if (!q.eof()) {
            loginCode = q.fieldByName(QStringLiteral("LOGINCODE")).asInteger();
            jobLevel = q.fieldByName(QStringLiteral("JOBLEVEL")).asInteger();
        }
        q.close();
        scope.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TLogonBox.OKBtnClick"), QString(), 0);
        Error(QStringLiteral("ログイン処理に失敗しました。\r%1を終了します。").arg(ApplicationName()));
        done(core::mrCancel);
        return;
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(QStringLiteral("ログイン処理に失敗しました。\r%1を終了します。").arg(ApplicationName()),
                                    core::exceptionText(e), core::MessageKind::Error);
        done(core::mrCancel);
        return;
    }

    switch (num) {
    case 0:
    case 1: LoggedIn(loginCode, jobLevel, mode); break;
    case -1: CodeOrPasswordWrong(); break;
    case -3:
        Error(QStringLiteral("指定したユーザーは既にシステムへログインしているため、ログインできませんでした。"));
        break;
    default: break;
    }
}

void TLogonBox::LoggedIn(qint32 loginCode, qint32 jobLevel, int mode)
{
    core::TSystemDef& def = core::SystemDef;
    def.OPCODE = def.GROUPID * 10000 + loginCode;
    def.LoginCode = loginCode;
    ReadOperatorProfile();
    def.JobLevel = jobLevel;
    ReadOperatorFlags();
    def.ServerTempDir = mode == 1 ? ServerTempFolder(def.SYSDIR) : QString();
    def.AppName = ApplicationName();
    // Not written (a read-only file): the next start offers the mode it offered this time.
    ServerSetteiBox->SaveConnectMode(mode);
    done(core::mrOk);
}

bool TLogonBox::ConnectSystemDatabase()
{
    controls::TMessage2InfoRec info;
    controls::InitMessage2Info(2, info);
    try {
        if (core::DM == nullptr)
            throw std::runtime_error("データモジュールがありません。");
        core::DM->IBDatabaseDEF.close();
        core::DM->fnAccDefConnected(core::SystemDef.HOSTNAME, 0);
        return true;
    } catch (const core::EIBError& e) {
        const long code = e.ibErrorCode();
        if (code == core::isc::io_error || code == core::isc::network_error) {
            info.Lines[0].Text = QStringLiteral("ログイン処理に失敗しました。以下の理由が考えられます。");
            if (core::ConnectMode == 0) {
                info.Lines[1].Text = QStringLiteral("１）データファイルが見つからない。");
                info.Lines[2].Text = QStringLiteral("２）別のプロセスがデータファイルを使用中。");
            } else {
                info.Lines[1].Text = QStringLiteral("１）サーバー上でFireBirdサービスが起動しているか確認して下さい。");
                info.Lines[2].Text =
                    QStringLiteral("２）ログイン画面の[サーバー設定]ボタンを押して正しい情報が設定されているか確認して下さい。");
                info.Lines[3].Text = QStringLiteral(
                    "３）Windowsファイヤーウォール(市販のセキュリティソフト含む)が有効の場合は、このアプリケーションがサーバーと通信できる状態か確認して下さい。");
            }
        } else {
            info.Lines[0].Text = kConnectFailed;
            info.Lines[1].Text = QStringLiteral("[例外内容]");
            info.Lines[2].Text = QStringLiteral("(IBXエラーコード:%1) %2")
                                     .arg(code)
                                     .arg(core::IscErrorTextOf(e));
            info.Lines[3].Text = e.message();
        }
    } catch (const std::exception& e) {
        info.Lines[0].Text = kConnectFailed;
        info.Lines[1].Text = QStringLiteral("[例外内容]");
        info.Lines[2].Text = core::exceptionText(e);
    }
    ShowBox2(info);
    return false;
}

void TLogonBox::ReadOperatorProfile()
{
    core::TDM& dm = *core::DM;
    core::TSystemDef& def = core::SystemDef;
    core::TransactionScope scope(dm.IBTransactionDEF);
    try {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        q.sql() << QStringLiteral("SELECT OPNAME,JIMUSHO,OKINIIRI FROM OPERATOR") << QStringLiteral("WHERE GROUPID=:GROUPID")
                << QStringLiteral("AND OPCODE=:OPCODE");
        q.paramByName(QStringLiteral("GROUPID")).setInteger(def.GROUPID);
        q.paramByName(QStringLiteral("OPCODE")).setInteger(def.LoginCode);
        for (q.execQuery(); !q.eof(); q.next()) {
            def.OPNAME = q.fieldByName(QStringLiteral("OPNAME")).asString();
            def.Supervisor = q.fieldByName(QStringLiteral("JIMUSHO")).asInteger() == 1 ? 1 : 0;
        }
        q.close();
        scope.commit();
    } catch (const core::EIBError&) {
        // The scope rolls back what it started.
        def.OPNAME.clear();
        def.Supervisor = 0;
    }
}

void TLogonBox::ReadOperatorFlags()
{
    core::TDM& dm = *core::DM;
    core::TSystemDef& def = core::SystemDef;
    def.MyNumberAdmin = 0;
    def.MyNumberApprover = 0;
    core::TransactionScope scope(dm.IBTransactionDEF);
    try {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        q.sql() << QStringLiteral("SELECT MYNUMBER_ADM,SHONIN FROM OPERATOR")
                << QStringLiteral("WHERE (GROUPID=:GROUPID) AND (OPCODE=:OPCODE)");
        q.paramByName(QStringLiteral("GROUPID")).setInteger(def.GROUPID);
        q.paramByName(QStringLiteral("OPCODE")).setInteger(def.LoginCode);
        q.execQuery();
        if (!q.eof()) {
            def.MyNumberAdmin = q.fieldByName(QStringLiteral("MYNUMBER_ADM")).asInteger() == 1 ? 1 : 0;
            def.MyNumberApprover = q.fieldByName(QStringLiteral("SHONIN")).asInteger() == 1 ? 1 : 0;
        }
        q.close();
        scope.commit();
    } catch (const core::EIBError&) {
        def.MyNumberAdmin = 0;
        def.MyNumberApprover = 0;
        try {
            scope.commit();
        } catch (const core::EIBError&) {
            // Nothing was written; the scope's end rolls back.
        }
    }
}

QString TLogonBox::GetEntryPassword(qint32 opCode)
{
    core::TDM& dm = *core::DM;
    core::TransactionScope scope(dm.IBTransactionDEF);
    QString password;
    try {
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        q.sql() << QStringLiteral("SELECT PASWORD FROM OPERATOR") << QStringLiteral("WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
        q.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        q.paramByName(QStringLiteral("OPCODE")).setInteger(opCode);
        q.execQuery();
        if (!q.eof())
            password = q.fieldByName(QStringLiteral("PASWORD")).asString();
        q.close();
        scope.commit();
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TLogonBox.GetEntryPassword"), QString(), 0);
        return QString();
    }
    return password;
}

bool TLogonBox::UpdatePassword(qint32 opCode, const QString& password)
{
    core::TDM& dm = *core::DM;
    core::TransactionScope scope(dm.IBTransactionDEF);
    try {
        core::TIBSQL count(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        count.sql() << QStringLiteral("SELECT COUNT(GROUPID) AS RECCNT FROM OPERATOR")
                    << QStringLiteral("WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
        count.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        count.paramByName(QStringLiteral("OPCODE")).setInteger(opCode);
        count.execQuery();
        const bool exists = count.fieldByName(QStringLiteral("RECCNT")).asInteger() > 0;
        count.close();
        core::TIBSQL q(&dm.IBDatabaseDEF, &dm.IBTransactionDEF);
        if (exists) {
            q.sql() << QStringLiteral("UPDATE OPERATOR SET PASWORD=:PASWORD")
                    << QStringLiteral("WHERE GROUPID=:GROUPID AND OPCODE=:OPCODE");
        } else {
            q.sql() << QStringLiteral("INSERT INTO OPERATOR(GROUPID,OPCODE,OPNAME,JOBLEVEL,PASWORD,DATAPAS,JIMUSHO,OKINIIRI,KANSA)")
                    << QStringLiteral("VALUES(:GROUPID,:OPCODE,:OPNAME,:JOBLEVEL,:PASWORD,:DATAPAS,:JIMUSHO,:OKINIIRI,:KANSA)");
            q.paramByName(QStringLiteral("OPNAME")).setString(QStringLiteral("システムユーザー"));
            q.paramByName(QStringLiteral("JOBLEVEL")).setInteger(9);
            q.paramByName(QStringLiteral("DATAPAS")).setString(QString());
            q.paramByName(QStringLiteral("JIMUSHO")).setInteger(0);
            q.paramByName(QStringLiteral("OKINIIRI")).setInteger(0);
            q.paramByName(QStringLiteral("KANSA")).setInteger(0);
        }
        q.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        q.paramByName(QStringLiteral("OPCODE")).setInteger(opCode);
        q.paramByName(QStringLiteral("PASWORD")).setString(password);
        q.execSQL();
        scope.commit();
        return true;
    } catch (const core::EIBError& e) {
        core::ReportFbAccessError(e, QStringLiteral("TLogonBox.UpdatePassword"),
                                  QStringLiteral("パスワードの更新処理に失敗しました。"), 0);
        return false;
    }
}

} // namespace selection
