// Preparation of received data: the received company database becomes the open data set's
// new database. What belongs to this installation is carried over (dictionaries, data-list
// name and lock), what does not travel is removed, and the prepared file then takes the
// place of the open data's database file.
#include "cloudexchange/CashBookImport.h"

#include "companydata/BackupRestoreTransfer.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/backup/BackupSteps.h"
#include "core/backup/FileSwap.h"
#include "core/dm/TDM.h"
#include "core/fileops/FileOperations.h"
#include "core/session/Identity.h"
#include "core/version/Version.h"

#include <QDir>
#include <QFile>

namespace cloudexchange {

bool TCashBookImport::PrepareGenkinSiwake() { return true; }

bool TCashBookImport::MoveJisyo() {
    int count = 0;
    try {
        IBSQL1.close();
        IBSQL1.sql().clear();
        IBSQL1.sql() << QStringLiteral("SELECT COUNT(TEKCODE) AS RECCNT FROM TEKDIC");
        IBSQL1.execQuery();
        count = IBSQL1.eof() ? 0 : IBSQL1.fieldByName(QStringLiteral("RECCNT")).asInteger();
        IBSQL1.close();
    } catch (const std::exception& e) {
        IBSQL1.close();
        failStep(QStringLiteral("「辞書分類件数の取得」に失敗しました。 "), e);
    }
    if (count == 0)
        return true;
    const QString file = QDir(core::SystemDef.WorkDir).filePath(QStringLiteral("qmvjisyo.txt"));
    try {
        JisyoLoader->Target = 0;
        JisyoLoader->AllFacilities = true;
        JisyoLoader->SetDatabase(&core::DM->IBDatabaseDAT);
        JisyoLoader->SetTransaction(&ReceiveIBTransaction);
        JisyoLoader->SetVersion(QStringLiteral("1.1"));
        JisyoLoader->ExportJisyo(file);
    } catch (const std::exception& e) {
        failStep(QStringLiteral("「摘要・取引先辞書の移行(エクスポート)」に失敗しました。 "), e);
    }
    try {
        JisyoLoader->SetDatabase(&ReceiveIBDatabase);
        JisyoLoader->SetTransaction(&ReceiveIBTransaction);
        JisyoLoader->SetVersion(QStringLiteral("1.1"));
        JisyoLoader->ImportJisyo(file);
    } catch (const std::exception& e) {
        failStep(QStringLiteral("「摘要・取引先辞書の移行(インポート)」に失敗しました。 "), e);
    }
    return true;
}

bool TCashBookImport::UpdateDataListName() {
    try {
        IBSQL1.close();
        IBSQL1.sql().clear();
        IBSQL1.sql() << QStringLiteral("SELECT ENTTEXT,DATALOCK FROM ACCDEF1") << QStringLiteral("WHERE REC=1");
        IBSQL1.execQuery();
        QString entText;
        int dataLock = 0;
        for (; !IBSQL1.eof(); IBSQL1.next()) {
            entText = IBSQL1.fieldByName(QStringLiteral("ENTTEXT")).asString();
            dataLock = IBSQL1.fieldByName(QStringLiteral("DATALOCK")).asInteger();
        }
        IBSQL1.close();
        core::TIBSQL& w = ReceiveIBSQL1;
        w.close();
        w.sql().clear();
        w.sql() << QStringLiteral("UPDATE ACCDEF1 SET ENTTEXT=:ENTTEXT")
                << QStringLiteral(",PASWORD=:PASWORD,WEB_HOLDER=:WEB_HOLDER,DATALOCK=:DATALOCK");
        if (core::VersionGreaterOrEqual(versionText(), QStringLiteral("12.0.0")))
            w.sql() << QStringLiteral(",READ_ONLY=0");
        w.sql() << QStringLiteral("WHERE REC=1");
        w.paramByName(QStringLiteral("ENTTEXT")).setString(entText);
        w.paramByName(QStringLiteral("PASWORD")).setString(QString());
        w.paramByName(QStringLiteral("WEB_HOLDER")).setString(QString());
        w.paramByName(QStringLiteral("DATALOCK")).setInteger(dataLock);
        w.execSQL();
        w.close();
    } catch (const std::exception& e) {
        IBSQL1.close();
        ReceiveIBSQL1.close();
        failStep(QStringLiteral("「データリスト名称の更新」に失敗しました。 "), e);
    }
    return true;
}

// The operators' records, history, facility permissions and default facilities belong to
// the sending installation; so does its consolidation setting.
bool TCashBookImport::CleanUpReceiveData() {
    if (MergeMode != 0)
        return true;
    try {
        core::TIBSQL& w = ReceiveIBSQL1;
        for (const char* table : {"OPINF", "OPHIST", "OPLICENSE", "OPDEFSISETU"}) {
            w.close();
            w.sql().clear();
            w.sql() << QStringLiteral("DELETE FROM ") + QLatin1String(table);
            w.execSQL();
        }
        w.close();
        w.sql().clear();
        w.sql() << QStringLiteral("DELETE FROM ACCREG") << QStringLiteral("WHERE (AGROUP=:AGROUP) AND (ACODE=:ACODE)");
        for (const QString& code : {QStringLiteral("合算データ区分"), QStringLiteral("合算データ数")}) {
            w.paramByName(QStringLiteral("AGROUP")).setString(QStringLiteral("基本設定"));
            w.paramByName(QStringLiteral("ACODE")).setString(code);
            w.execSQL();
        }
        w.close();
    } catch (const std::exception& e) {
        ReceiveIBSQL1.close();
        failStep(QStringLiteral("取り込み後処理に失敗しました。 "), e);
    }
    return true;
}

// The prepared file first goes beside the open data's database under a scratch name (in the
// client modes through the file-management transfer to the server), then takes its place in
// one step, which is refused while anybody has the database open. Any failure leaves the open
// database as it was and removes the scratch file.
void TCashBookImport::CopyReceiveData() {
    if (MergeMode != 0)
        return;
    core::TDM& dm = *core::DM;
    const bool local = core::ConnectMode == 0;
    const QString target = QDir(core::SystemDef.DataFolder).filePath(core::Identity.DataFile);
    const QString scratch = core::scratchNameBeside(target);
    bool done = false;
    try {
        if (local) {
            if (!QFile::copy(ReceiveDataFile, scratch))
                throw core::Exception(QStringLiteral("copy failed"));
        } else {
            const bool wasConnected = dm.IBFileMan.connected();
            if (!dm.fnFileManConnected(core::SystemDef.HOSTNAME))
                throw core::Exception(QStringLiteral("file-management database not connected"));
            try {
                companydata::SendFileToServer(dm, ReceiveDataFile, scratch);
            } catch (...) {
                if (!wasConnected)
                    dm.IBFileMan.close();
                throw;
            }
            if (!wasConnected)
                dm.IBFileMan.close();
        }
        core::putRestoredDatabaseInPlace(local ? QString() : core::SystemDef.HOSTNAME, scratch, target);
        done = true;
    } catch (const std::exception& e) {
        qWarning("cash-book take-in: the prepared data could not replace %s: %s", qPrintable(target), e.what());
    }
    if (done)
        return;
    try {
        if (local)
            QFile::remove(scratch);
        else if (core::fileops::FExist(dm, scratch, core::ConnectMode))
            core::fileops::FDel(dm, scratch, core::ConnectMode, false);
    } catch (const std::exception&) {
    }
    AddSyoriLog(skError, -100, QStringLiteral("受信データの移行処理後のコピーに失敗しました。"));
}

} // namespace cloudexchange
