// The audit table MYNUMBER_LOG of the company database: its rows, reading, adding, merging and
// deleting them.
#include "companydata/MyNumberDataSet.h"
#include "companydata/MyNumberIO.h"

#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/db/IBSQL.h"
#include "core/db/IBTransaction.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/text/SjisText.h"

#include <array>

namespace companydata {

namespace {

constexpr long kUniqueKeyViolation = 335544665;
constexpr int kAddAttempts = 4;

const QString kListFailed = QStringLiteral("管理ログリストの取得に失敗しました。");
const QString kAddFailed = QStringLiteral("管理ログリストの追加に失敗しました。");
const QString kMergeFailed = QStringLiteral("管理ログリストのマージに失敗しました。");
const QString kDeleteFailed = QStringLiteral("管理ログリストの削除に失敗しました。");

std::unique_ptr<core::TIBSQL> companyStatement() {
    core::TDM& dm = core::RequireDM();
    return std::make_unique<core::TIBSQL>(&dm.IBDatabaseDAT, &dm.IBTransactionDAT);
}

// The first bytes of the text, never half a character, trimmed.
QString cutTrimmed(const QString& text, int bytes) { return core::TrimBlanks(core::LeftStrB(text, bytes)); }

void setKeyParams(core::TIBSQL& q, const TMyNumberLogRec& row) {
    q.paramByName(QStringLiteral("FHIZUKE")).setDateTime(row.Hizuke);
    q.paramByName(QStringLiteral("FSERIAL")).setString(row.Serial);
    q.paramByName(QStringLiteral("FOPCODE")).setString(row.OpCode);
}

} // namespace

QString MyNumberLogComment(quint8 state, const QString& procName) {
    static const std::array<const char16_t*, 11> phrases = {
        u"**", u"が登録", u"が変更", u"が削除", u"が参照", u"が印刷",
        u"を含むデータが保存", u"を含むデータが復元", u"を含めずにデータが保存", u"が既定値に設定", u"が変更"};
    if (state == 6 && procName.contains(u"送信"))
        return QStringLiteral("マイナンバー情報を含むデータが送信されました。");
    if (state == 7 && procName.contains(u"受信"))
        return QStringLiteral("マイナンバー情報を含むデータが受信されました。");
    if (state == 8 && procName.contains(u"送信"))
        return QStringLiteral("マイナンバー情報を含めずにデータが送信されました。");
    if (state == 9)
        return QStringLiteral("マイナンバー管理パスワードを既定値に設定しました。");
    if (state == 10)
        return QStringLiteral("マイナンバー管理パスワードを変更しました。");
    const QString phrase = state < phrases.size() ? QString::fromUtf16(phrases[state]) : QStringLiteral("**");
    return cutTrimmed(QStringLiteral("マイナンバー情報") + phrase + QStringLiteral("されました。"), 100);
}

void TMyNumberIO::InitLogRec(TMyNumberLogRec& row, quint8 state, const QString& procName) {
    row.Hizuke = QDateTime();
    row.Serial = core::SystemDef.Serial;
    row.OpCode = QString::number(core::SystemDef.LoginCode);
    row.OpName = core::SystemDef.OPNAME;
    row.Host = cutTrimmed(core::SystemDef.ComputerName, 60);
    row.State = state;
    row.ProcName = cutTrimmed(procName, 40);
    row.Comment = MyNumberLogComment(state, row.ProcName);
}

void TMyNumberIO::GetLogList(bool newestFirst) {
    LogCount = 0;
    LogList.clear();
    TradeName.clear();
    try {
        core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
        const auto q = companyStatement();
        q->sql() << QStringLiteral("SELECT SHOUGOU FROM ACCDEF1") << QStringLiteral("WHERE REC=1");
        q->execQuery();
        if (!q->eof())
            TradeName = q->fieldByName(QStringLiteral("SHOUGOU")).asString();
        q->close();
        q->sql().clear();
        q->sql() << QStringLiteral("SELECT COUNT(FSERIAL) AS RECCNT FROM MYNUMBER_LOG");
        q->execQuery();
        const int count = q->eof() ? 0 : q->fieldByName(QStringLiteral("RECCNT")).asInteger();
        q->close();
        if (count > 0) {
            q->sql().clear();
            q->sql() << QStringLiteral("SELECT FHIZUKE,FSERIAL,FOPCODE,FOPNAME,FHOST,FSTATE,FPROCNAME,FCOMMENT")
                     << QStringLiteral("FROM MYNUMBER_LOG")
                     << (newestFirst ? QStringLiteral("ORDER BY FHIZUKE DESC,FSERIAL,FOPCODE")
                                     : QStringLiteral("ORDER BY FHIZUKE,FSERIAL,FOPCODE"));
            // Rows another client added after the count are read too: LogCount is what was read.
            for (q->execQuery(); !q->eof(); q->next()) {
                TMyNumberLogRec row;
                row.Hizuke = q->fieldByName(QStringLiteral("FHIZUKE")).asDateTime();
                row.Serial = q->fieldByName(QStringLiteral("FSERIAL")).asString();
                row.OpCode = q->fieldByName(QStringLiteral("FOPCODE")).asString();
                row.OpName = q->fieldByName(QStringLiteral("FOPNAME")).asString();
                row.Host = q->fieldByName(QStringLiteral("FHOST")).asString();
                row.State = quint8(q->fieldByName(QStringLiteral("FSTATE")).asInteger());
                row.ProcName = q->fieldByName(QStringLiteral("FPROCNAME")).asString();
                row.Comment = q->fieldByName(QStringLiteral("FCOMMENT")).asString();
                LogList.push_back(row);
            }
            q->close();
        }
        LogCount = qint32(LogList.size());
        scope.commit();
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(kListFailed, core::exceptionText(e), core::MessageKind::Error);
    }
}

void TMyNumberIO::GetLogListOfData(const QString& host, const QString& databaseFile) {
    WorkOnMyNumberDataSet(host, databaseFile, [this] { GetLogList(false); });
}

void TMyNumberIO::AddLog(TMyNumberLogRec& row) {
    for (int attempt = 0; attempt < kAddAttempts; ++attempt) {
        if (!row.Hizuke.isValid())
            row.Hizuke = Now();
        try {
            core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
            const auto q = companyStatement();
            q->sql() << QStringLiteral("INSERT INTO MYNUMBER_LOG(FHIZUKE,FSERIAL,FOPCODE,FOPNAME,FHOST,FSTATE,FPROCNAME,FCOMMENT)")
                     << QStringLiteral("VALUES(:FHIZUKE,:FSERIAL,:FOPCODE,:FOPNAME,:FHOST,:FSTATE,:FPROCNAME,:FCOMMENT)");
            setKeyParams(*q, row);
            q->paramByName(QStringLiteral("FOPNAME")).setString(row.OpName);
            q->paramByName(QStringLiteral("FHOST")).setString(row.Host);
            q->paramByName(QStringLiteral("FSTATE")).setInteger(row.State);
            q->paramByName(QStringLiteral("FPROCNAME")).setString(row.ProcName);
            q->paramByName(QStringLiteral("FCOMMENT")).setString(row.Comment);
            q->execSQL();
            scope.commit();
            return;
        } catch (const core::EIBError& e) {
            if (e.ibErrorCode() == kUniqueKeyViolation) {
                row.Hizuke = QDateTime(); // the next attempt takes a fresh time
                continue;
            }
            core::ReportFbAccessError(e, QStringLiteral("TMyNumberIO.AddLog"), kAddFailed, 0);
            return;
        } catch (const std::exception& e) {
            core::ShowMessageWithDetail(kAddFailed, core::exceptionText(e), core::MessageKind::Error);
            return;
        }
    }
}

void TMyNumberIO::AddLogToData(TMyNumberLogRec& row, const QString& host, const QString& databaseFile) {
    WorkOnMyNumberDataSet(host, databaseFile, [this, &row] { AddLog(row); });
}

void TMyNumberIO::MergeLog(const QString& host, const QString& databaseFile) {
    if (TradeName.isEmpty())
        return;
    try {
        WorkOnMyNumberDataSet(host, databaseFile, [this] {
            core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
            const auto q = companyStatement();
            q->sql() << QStringLiteral("SELECT SHOUGOU FROM ACCDEF1") << QStringLiteral("WHERE REC=1");
            q->execQuery();
            const QString tradeName = q->eof() ? QString() : q->fieldByName(QStringLiteral("SHOUGOU")).asString();
            q->close();
            if (tradeName != TradeName)
                return; // another company: its log is not ours to complete
            q->sql().clear();
            q->sql() << QStringLiteral("SELECT COUNT(FHIZUKE) AS RECCNT FROM MYNUMBER_LOG")
                     << QStringLiteral("WHERE (FHIZUKE=:FHIZUKE) AND (FSERIAL=:FSERIAL) AND (FOPCODE=:FOPCODE) AND "
                                       "(FHOST=:FHOST)");
            for (TMyNumberLogRec& row : LogList) {
                setKeyParams(*q, row);
                q->paramByName(QStringLiteral("FHOST")).setString(row.Host);
                q->execQuery();
                const int present = q->eof() ? 0 : q->fieldByName(QStringLiteral("RECCNT")).asInteger();
                q->close();
                if (present == 0)
                    AddLog(row);
            }
            scope.commit();
        });
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(kMergeFailed, core::exceptionText(e), core::MessageKind::Error);
    }
}

void TMyNumberIO::DeleteLog(const TMyNumberLogRec& row) {
    try {
        core::TransactionScope scope(core::RequireDM().IBTransactionDAT);
        const auto q = companyStatement();
        q->sql() << QStringLiteral("DELETE FROM MYNUMBER_LOG")
                 << QStringLiteral("WHERE (FHIZUKE=:FHIZUKE) AND (FSERIAL=:FSERIAL) AND (FOPCODE=:FOPCODE)");
        setKeyParams(*q, row);
        q->execSQL();
        scope.commit();
    } catch (const std::exception& e) {
        core::ShowMessageWithDetail(kDeleteFailed, core::exceptionText(e), core::MessageKind::Error);
    }
}

} // namespace companydata
