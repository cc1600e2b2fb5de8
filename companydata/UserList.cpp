// The operator list of a group.
#include "companydata/UserList.h"

#include "core/Exception.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"

namespace companydata {

namespace {

const QString kListFailed = QStringLiteral("ユーザーリストの取得に失敗しました。");
// The row query is tried this often (the first time with the newer columns).
constexpr int kOperatorQueryAttempts = 4;

// Quoted fields for a grid; a double quote inside a field would end it early.
QString tabLine(const QStringList& fields) {
    QStringList quoted;
    for (QString field : fields)
        quoted << QLatin1Char('"') + field.replace(QLatin1Char('"'), QLatin1Char('\'')) + QLatin1Char('"');
    return quoted.join(QLatin1Char('\t'));
}

QStringList operatorQuery(bool newSchema, bool approversOnly) {
    QStringList sql;
    if (newSchema)
        sql << QStringLiteral("SELECT O.GROUPID,O.OPCODE,O.OPNAME,O.JOBLEVEL,L.NAME,O.PASWORD,O.DATAPAS,O.JIMUSHO,"
                              "O.OKINIIRI,O.KANSA,O.MYNUMBER_ADM,O.SHONIN");
    else
        sql << QStringLiteral("SELECT O.GROUPID,O.OPCODE,O.OPNAME,O.JOBLEVEL,L.NAME,O.PASWORD,O.DATAPAS,O.JIMUSHO,"
                              "O.OKINIIRI,O.KANSA,0 AS MYNUMBER_ADM,0 AS SHONIN");
    sql << QStringLiteral("FROM OPERATOR O") << QStringLiteral("INNER JOIN LEVELNAME L ON (O.JOBLEVEL=L.LEVELNO)")
        << QStringLiteral("WHERE (O.GROUPID=:GROUPID) AND (O.OPCODE>=10)");
    if (newSchema && approversOnly)
        sql << QStringLiteral("AND (SHONIN>0)");
    sql << QStringLiteral("ORDER BY O.OPCODE");
    return sql;
}

} // namespace

TUserList::TUserList() : dm_(core::RequireDM()) {
    ownTransaction_.params() = QStringList{QStringLiteral("read_committed"), QStringLiteral("rec_version"),
                                           QStringLiteral("nowait")};
    ownTransaction_.setDefaultDatabase(&dm_.IBDatabaseDEF);
    systemSql_.setDatabase(&dm_.IBDatabaseDEF);
    systemSql_.setTransaction(&ownTransaction_);
    companySql_.setDatabase(&dm_.IBDatabaseDAT);
    companySql_.setTransaction(&ownTransaction_);
}

TUserList::~TUserList() = default;

void TUserList::Clear() {
    entries_.clear();
    lines_.clear();
    Count = 0;
}

// The list's own transaction spans the company database only while it is connected: the
// operators are read before any data set is opened, and a transaction cannot start on a
// closed database.
void TUserList::syncOwnTransaction() {
    if (ownTransaction_.inTransaction())
        return;
    bool hasCompany = false;
    for (int i = 0; i < ownTransaction_.databaseCount(); ++i)
        hasCompany = hasCompany || ownTransaction_.databases(i) == &dm_.IBDatabaseDAT;
    if (dm_.IBDatabaseDAT.connected() && !hasCompany)
        ownTransaction_.addDatabase(&dm_.IBDatabaseDAT);
    else if (!dm_.IBDatabaseDAT.connected() && hasCompany)
        ownTransaction_.removeDatabase(&dm_.IBDatabaseDAT);
}

void TUserList::readOperators(core::TIBSQL& q) {
    // Older schemas lack MYNUMBER_ADM and SHONIN: after a failure the query reads them as 0.
    for (int attempt = 1;; ++attempt) {
        q.sql() = operatorQuery(attempt == 1, ApproversOnly);
        q.paramByName(QStringLiteral("GROUPID")).setInteger(GroupId);
        try {
            q.execQuery();
            break;
        } catch (const core::EIBError&) {
            if (attempt >= kOperatorQueryAttempts)
                throw core::Exception(QStringLiteral("OPERATORテーブル参照クエリーの作成エラー"));
        }
    }
    for (; !q.eof(); q.next()) {
        TUserListRec rec;
        rec.GroupId = q.fieldByName(QStringLiteral("GROUPID")).asInteger();
        rec.OpCode = q.fieldByName(QStringLiteral("OPCODE")).asInteger();
        rec.OpName = q.fieldByName(QStringLiteral("OPNAME")).asString();
        rec.Password = q.fieldByName(QStringLiteral("PASWORD")).asString();
        rec.JobLevel = q.fieldByName(QStringLiteral("JOBLEVEL")).asInteger();
        rec.LevelName = q.fieldByName(QStringLiteral("NAME")).asString();
        rec.Jimusho = q.fieldByName(QStringLiteral("JIMUSHO")).asInteger() != 0;
        rec.Okiniiri = q.fieldByName(QStringLiteral("OKINIIRI")).asInteger() != 0;
        rec.MyNumberAdm = q.fieldByName(QStringLiteral("MYNUMBER_ADM")).asInteger() != 0;
        rec.Shonin = q.fieldByName(QStringLiteral("SHONIN")).asInteger() != 0;
        // The query without SHONIN cannot select approvers; nobody is known to be one.
        if (ApproversOnly && !rec.Shonin)
            continue;
        entries_.append(rec);
        const QString code = QString::number(rec.OpCode);
        lines_.append(TabFormat ? tabLine({code, rec.OpName}) : code + QLatin1Char(':') + rec.OpName);
    }
    q.close();
}

bool TUserList::Execute() {
    Clear();
    if (!FirstEntryName.isEmpty()) {
        TUserListRec first;
        first.GroupId = GroupId;
        first.OpName = FirstEntryName;
        first.JobLevel = 9;
        entries_.append(first);
        lines_.append(TabFormat ? tabLine({FirstEntryName, QString()}) : FirstEntryName);
    }

    core::TIBTransaction* transaction = systemSql_.transaction();
    bool started = false;
    bool ok = true;
    try {
        if (transaction == &ownTransaction_)
            syncOwnTransaction();
        if (!transaction->inTransaction()) {
            transaction->startTransaction();
            started = true;
        }
        core::TIBSQL& q = systemSql_;
        q.sql() = QStringList{QStringLiteral("SELECT COUNT(O.GROUPID) AS RECCNT FROM OPERATOR O"),
                              QStringLiteral("INNER JOIN LEVELNAME L ON (O.JOBLEVEL=L.LEVELNO)"),
                              QStringLiteral("WHERE (O.GROUPID=:GROUPID) AND (O.OPCODE>=10)")};
        if (ApproversOnly)
            q.sql() << QStringLiteral("AND (SHONIN>0)");
        q.paramByName(QStringLiteral("GROUPID")).setInteger(GroupId);
        q.execQuery();
        const qint32 count = q.fieldByName(QStringLiteral("RECCNT")).asInteger();
        q.close();
        if (count > 0)
            readOperators(q);
        if (started)
            transaction->commit();
    } catch (const core::EIBError& e) {
        ok = false;
        if (started)
            core::ReportFbAccessError(e, QStringLiteral("TUserList.Execute"), kListFailed, 0);
    } catch (const std::exception& e) {
        ok = false;
        if (started)
            core::ShowMessageWithDetail(kListFailed, core::exceptionText(e), core::MessageKind::Error);
    }
    if (!ok && started && transaction->inTransaction()) {
        try {
            transaction->commit();
        } catch (const std::exception&) {
            // The failure is already shown; a commit that fails as well adds nothing.
        }
    }
    Count = qint32(lines_.size());
    return ok;
}

qint32 TUserList::GetOpCode(int i) const {
    return i >= 0 && i < entries_.size() ? entries_[i].OpCode : 0;
}

int TUserList::IndexOfOpCode(qint32 code) const {
    for (int i = 0; i < entries_.size(); ++i)
        if (entries_[i].OpCode == code)
            return i;
    return -1;
}

QString TUserList::GetListText() const {
    QString text;
    for (const QString& line : lines_)
        text += line + QStringLiteral("\r\n");
    return text;
}

void TUserList::SetTransaction(core::TIBTransaction* transaction, int side) {
    if (side == -1) {
        systemSql_.setTransaction(&ownTransaction_);
        companySql_.setTransaction(&ownTransaction_);
    } else if (side == 0) {
        systemSql_.setTransaction(transaction);
    } else {
        companySql_.setTransaction(transaction);
    }
}

} // namespace companydata
