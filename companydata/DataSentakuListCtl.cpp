// The registry controller: construction, the data place, the listing of the data list and the
// record helpers every registry statement shares.
#include "companydata/DataSentakuListCtl.h"

#include "companydata/RegistryTransaction.h"
#include "core/EIBError.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/files/PathDelim.h"
#include "core/files/SubFolders.h"
#include "core/version/Version.h"

#include <QRegularExpression>

namespace companydata {

namespace {

// The date Delphi's zero date-time stands for; rows written by the Windows programs carry it
// for an empty date.
const QDate kZeroDate(1899, 12, 30);

QDate readDate(core::IBSQLField& field) {
    if (field.isNull())
        return {};
    const QDate date = field.asDate();
    return date == kZeroDate ? QDate() : date;
}

QString lastComponent(const QString& path) {
    const QString trimmed = core::ExcludePathDelim(path);
    return trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

QString GetDataStatusName(int status) {
    switch (status) {
    case 0:
    case 1: return QStringLiteral("－");
    case 2: return QStringLiteral("使用中");
    case 3: return QStringLiteral("データロック中");
    case 4: return QStringLiteral("保存中");
    case 5: return QStringLiteral("復元中");
    case 6: return QStringLiteral("コピー中");
    case 7: return QStringLiteral("貼り付け中");
    case 8: return QStringLiteral("削除中");
    case 9: return QStringLiteral("新規作成中");
    case 10: return QStringLiteral("破損");
    default: return QStringLiteral("状態不明");
    }
}

TDataSentakuListCtl::TDataSentakuListCtl() {
    core::TDM& dm = core::RequireDM();
    Sql.setDatabase(&dm.IBDatabaseDEF);
    Sql.setTransaction(&dm.IBTransactionDEF);
    Sql2.setDatabase(&dm.IBDatabaseDEF);
    Sql2.setTransaction(&dm.IBTransactionDEF);
    SetDataPlaceRec(0);
    const QString version = QStringLiteral("%1.%2.%3")
                                .arg(core::SystemDef.SysDbMajor)
                                .arg(core::SystemDef.SysDbMinor1)
                                .arg(core::SystemDef.SysDbMinor2);
    CloudColumns = core::VersionGreaterOrEqual(version, QStringLiteral("11.0.1"));
    ReadOnlyColumns = core::VersionGreaterOrEqual(version, QStringLiteral("12.0.0"));
}

TDataSentakuListCtl::~TDataSentakuListCtl() = default;

void TDataSentakuListCtl::SetDataPlaceRec(qint32 place) {
    DataPlaceRec = (LocationMode == 1 || LocationMode == 2) ? place : 0;
    TableName = DataPlaceRec > 0 ? QStringLiteral("DATALIST_EX") : QStringLiteral("DATALIST");
}

void TDataSentakuListCtl::ClearList() {
    RowCount = 0;
    AllChildCount = 0;
    Rows.clear();
    AllChildren.clear();
}

QStringList TDataSentakuListCtl::RowColumnsTail() const {
    return {QStringLiteral("VER_MAJOR,VER_MINOR1,VER_MINOR2,VER_TEXT,UPDATE_LOCK,GASSAN,DATACODE,DATA_STATUS,YOBI1,"
                           "YOBI2,YOBI3"),
            CloudColumns ? QStringLiteral(",CLOUD") : QStringLiteral(",0 AS CLOUD"),
            ReadOnlyColumns ? QStringLiteral(",READ_ONLY") : QStringLiteral(",0 AS READ_ONLY")};
}

QString TDataSentakuListCtl::DataPlaceText() const {
    return DataPlaceRec > 0 ? QStringLiteral("AND (DATAPLACEREC=%1)").arg(DataPlaceRec) : QString();
}

void TDataSentakuListCtl::BindDataPlace(core::TIBSQL& q) const {
    if (DataPlaceRec > 0)
        q.paramByName(QStringLiteral("DATAPLACEREC")).setInteger(DataPlaceRec);
}

void TDataSentakuListCtl::ReadRow(core::TIBSQL& q, TDataListRec& row, bool repairSeparators) const {
    auto text = [&q](const char* name) { return q.fieldByName(QLatin1String(name)).asString(); };
    auto integer = [&q](const char* name) { return q.fieldByName(QLatin1String(name)).asInteger(); };
    row.Rec = integer("REC");
    row.RowNo = q.fieldExists(QStringLiteral("ROWNO")) ? integer("ROWNO") : 0;
    row.GroupId = core::SystemDef.GROUPID;
    row.EntText = text("ENTTEXT");
    row.Shougou = text("SHOUGOU");
    row.PasName = text("PASNAME");
    // The server data list has no NETDRIVE: its rows are shared folders by definition.
    row.NetDrive = q.fieldExists(QStringLiteral("NETDRIVE")) ? integer("NETDRIVE") : 1;
    row.DataType = integer("DATATYPE");
    row.CodeType = integer("CODETYPE");
    row.Nendo = integer("NENDO");
    row.Kishu = readDate(q.fieldByName(QStringLiteral("KISHU")));
    row.Kimatu = readDate(q.fieldByName(QStringLiteral("KIMATU")));
    row.KikanText = core::GetKikanText(row.Kishu, row.Kimatu);
    row.DataLock = integer("DATALOCK");
    row.KyoyuLock = q.fieldExists(QStringLiteral("KYOYULOCK")) ? integer("KYOYULOCK") : 0;
    row.Tantou = integer("TANTOU");
    row.VerMajor = integer("VER_MAJOR");
    row.VerMinor1 = integer("VER_MINOR1");
    row.VerMinor2 = integer("VER_MINOR2");
    row.VerText = text("VER_TEXT");
    row.UpdateLock = integer("UPDATE_LOCK");
    row.Gassan = static_cast<quint8>(integer("GASSAN"));
    row.DataCode = text("DATACODE");
    row.DataStatus = static_cast<quint8>(integer("DATA_STATUS"));
    row.Yobi1 = text("YOBI1");
    row.Yobi2 = text("YOBI2");
    row.Yobi3 = text("YOBI3");
    row.Cloud = static_cast<quint8>(integer("CLOUD"));
    row.ReadOnly = integer("READ_ONLY");
    row.DispName = row.EntText;
    // Folders written by the Windows programs use "\"; this program's paths are native.
    if (repairSeparators)
        row.PasName.replace(QLatin1Char('\\'), QLatin1Char('/'));
    DeriveLocalPath(row);
    if (repairSeparators && row.LocalPath == row.PasName)
        row.NetDrive = 0;
}

void TDataSentakuListCtl::BindRow(core::TIBSQL& q, const TDataListRec& row) const {
    const QString text = q.sql().join(QLatin1Char('\n'));
    auto uses = [&text](const QString& name) {
        static QHash<QString, QRegularExpression> patterns;
        auto it = patterns.find(name);
        if (it == patterns.end())
            it = patterns.insert(name, QRegularExpression(QStringLiteral(":%1\\b").arg(name)));
        return it->match(text).hasMatch();
    };
    auto setInt = [&](const QString& name, qint32 value) {
        if (uses(name))
            q.paramByName(name).setInteger(value);
    };
    auto setText = [&](const QString& name, const QString& value) {
        if (uses(name))
            q.paramByName(name).setString(value);
    };
    auto setDate = [&](const QString& name, const QDate& value) {
        if (uses(name))
            q.paramByName(name).setDateTime(value.isValid() ? QDateTime(value, QTime(0, 0)) : QDateTime());
    };
    setInt(QStringLiteral("REC"), row.Rec);
    setInt(QStringLiteral("ROWNO"), row.RowNo);
    setInt(QStringLiteral("GROUPID"), core::SystemDef.GROUPID);
    setInt(QStringLiteral("DATAPLACEREC"), DataPlaceRec);
    setText(QStringLiteral("PASNAME"), row.PasName);
    setText(QStringLiteral("ENTTEXT"), row.EntText);
    setText(QStringLiteral("SHOUGOU"), row.Shougou);
    setInt(QStringLiteral("NETDRIVE"), row.NetDrive);
    setInt(QStringLiteral("DATATYPE"), row.DataType);
    setInt(QStringLiteral("CODETYPE"), row.CodeType);
    setInt(QStringLiteral("NENDO"), row.Nendo);
    setDate(QStringLiteral("KISHU"), row.Kishu);
    setDate(QStringLiteral("KIMATU"), row.Kimatu);
    setInt(QStringLiteral("DATALOCK"), row.DataLock);
    setInt(QStringLiteral("KYOYULOCK"), row.KyoyuLock);
    setInt(QStringLiteral("TANTOU"), row.Tantou);
    setInt(QStringLiteral("VER_MAJOR"), row.VerMajor);
    setInt(QStringLiteral("VER_MINOR1"), row.VerMinor1);
    setInt(QStringLiteral("VER_MINOR2"), row.VerMinor2);
    setText(QStringLiteral("VER_TEXT"), row.VerText);
    setInt(QStringLiteral("UPDATE_LOCK"), row.UpdateLock);
    setInt(QStringLiteral("GASSAN"), row.Gassan);
    setText(QStringLiteral("DATACODE"), row.DataCode);
    setInt(QStringLiteral("DATA_STATUS"), row.DataStatus);
    setText(QStringLiteral("YOBI1"), row.Yobi1);
    setText(QStringLiteral("YOBI2"), row.Yobi2);
    setText(QStringLiteral("YOBI3"), row.Yobi3);
    setInt(QStringLiteral("CLOUD"), row.Cloud);
    setInt(QStringLiteral("READ_ONLY"), row.ReadOnly);
}

void TDataSentakuListCtl::ReportFailure(const std::exception& e, const QString& context, const QString& message) const {
    if (const auto* dbError = dynamic_cast<const core::EIBError*>(&e))
        core::ReportFbAccessError(*dbError, context, message, 1);
    else
        core::ShowMessageWithDetail(message, core::exceptionText(e), core::MessageKind::Error);
}

void TDataSentakuListCtl::DeriveLocalPath(TDataListRec& row) {
    row.LocalPath = core::ExcludePathDelim(row.PasName);
    if (row.NetDrive != 1 || row.PasName.isEmpty())
        return;
    const QString sysDir = core::ExcludePathDelim(core::SystemDef.SYSDIR);
    if (row.Gassan == kGassanBunsan)
        row.LocalPath = QStringLiteral("%1/%2/%3")
                            .arg(sysDir)
                            .arg(row.Rec, 4, 10, QLatin1Char('0'))
                            .arg(lastComponent(row.PasName));
    else
        row.LocalPath = QStringLiteral("%1/%2").arg(sysDir).arg(row.Rec, 4, 10, QLatin1Char('0'));
}

void TDataSentakuListCtl::Execute(int sortKind, bool descending) {
    ClearList();
    if (ServerList == 1)
        return;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    const QString place = DataPlaceText();
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM ") + TableName,
                                QStringLiteral("WHERE (GROUPID=:GROUPID)"), place};
        Sql.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        Sql.execQuery();
        RowCount = Sql.eof() ? 0 : Sql.fieldByName(QStringLiteral("RECCNT")).asInteger();
        Sql.close();
        Rows.resize(RowCount);

        static const char* const ascending[] = {
            "ORDER BY REC",
            "ORDER BY ENTTEXT,NENDO DESC,REC",
            "ORDER BY NENDO,REC",
            "ORDER BY KISHU,REC",
            "ORDER BY UPPER(PASNAME),REC",
            "ORDER BY VER_MAJOR,VER_MINOR1,VER_MINOR2,REC",
            "ORDER BY DATACODE,NENDO DESC,REC",
        };
        static const char* const descendingOrder[] = {
            "ORDER BY REC DESC",
            "ORDER BY ENTTEXT DESC,NENDO DESC,REC DESC",
            "ORDER BY NENDO DESC,REC DESC",
            "ORDER BY KISHU DESC,REC DESC",
            "ORDER BY UPPER(PASNAME) DESC,REC DESC",
            "ORDER BY VER_MAJOR DESC,VER_MINOR1 DESC,VER_MINOR2 DESC,REC DESC",
            "ORDER BY DATACODE DESC,NENDO DESC,REC DESC",
        };
        const int kind = (sortKind >= 1 && sortKind <= 7) ? sortKind : 1;
        const bool namedFirst = kind >= 2;

        int index = 0;
        auto readRows = [&](core::TIBSQL& q) {
            q.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
            q.execQuery();
            while (!q.eof() && index < RowCount) {
                ReadRow(q, Rows[index], true);
                ++index;
                q.next();
            }
            q.close();
        };

        Sql.sql() = QStringList{QStringLiteral("SELECT REC,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,NENDO,"
                                               "KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,")}
                    + RowColumnsTail();
        Sql.sql() << QStringLiteral("FROM ") + TableName << QStringLiteral("WHERE (GROUPID=:GROUPID)");
        if (namedFirst)
            Sql.sql() << QStringLiteral("AND (ENTTEXT<>'')");
        Sql.sql() << place
                  << QString::fromUtf8(descending ? descendingOrder[kind - 1] : ascending[kind - 1]);
        readRows(Sql);

        if (namedFirst) {
            Sql.sql() = QStringList{QStringLiteral("SELECT REC,SHOUGOU,ENTTEXT,PASNAME,NETDRIVE,DATATYPE,CODETYPE,"
                                                   "NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,")}
                        + RowColumnsTail();
            Sql.sql() << QStringLiteral("FROM ") + TableName
                      << QStringLiteral("WHERE (GROUPID=:GROUPID) AND (ENTTEXT='')") << place;
            if (kind == 5)
                Sql.sql() << (descending ? QStringLiteral("ORDER BY PASNAME DESC,REC DESC")
                                         : QStringLiteral("ORDER BY PASNAME,REC"));
            else
                Sql.sql() << (descending ? QStringLiteral("ORDER BY REC DESC") : QStringLiteral("ORDER BY REC"));
            readRows(Sql);
        }

        Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM CHILD_DATALIST"),
                                QStringLiteral("WHERE (GROUPID=:GROUPID)")};
        Sql.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        Sql.execQuery();
        AllChildCount = Sql.eof() ? 0 : Sql.fieldByName(QStringLiteral("RECCNT")).asInteger();
        Sql.close();
        AllChildren.resize(AllChildCount);

        Sql.sql() = QStringList{QStringLiteral("SELECT REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,NETDRIVE,DATATYPE,CODETYPE,"
                                               "NENDO,KISHU,KIMATU,DATALOCK,KYOYULOCK,TANTOU,")}
                    + RowColumnsTail();
        Sql.sql() << QStringLiteral("FROM CHILD_DATALIST") << QStringLiteral("WHERE (GROUPID=:GROUPID)")
                  << QStringLiteral("ORDER BY REC,PASNAME");
        Sql.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        Sql.execQuery();
        int child = 0;
        while (!Sql.eof() && child < AllChildCount) {
            TDataListRec& entry = AllChildren[child++];
            ReadRow(Sql, entry, true);
            for (TDataSentakuRec& parent : Rows) {
                if (parent.Rec == entry.Rec) {
                    parent.Children.append(entry);
                    parent.ChildCount = parent.Children.size();
                    break;
                }
            }
            Sql.next();
        }
        Sql.close();
        tr.commit();
    } catch (const std::exception& e) {
        Sql.close();
        tr.rollback();
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.Execute"),
                      QStringLiteral("データリストの取得に失敗しました。"));
    }
}

void TDataSentakuListCtl::InitDataListRec(TDataListRec& row, const QString& folder) const {
    row = TDataListRec{};
    row.GroupId = core::SystemDef.GROUPID;
    row.Nendo = 1;
    row.PasName = folder;
    DeriveLocalPath(row);
}

void TDataSentakuListCtl::SetDataListRecFromInfo(const TDataInfomationRec& info, TDataListRec& row) const {
    row.DataCode = info.Code;
    row.EntText = info.DataListName;
    row.Shougou = info.Shougou;
    row.Nendo = info.Nendo;
    row.Kishu = core::StrToDateFixed(info.Kishu);
    row.Kimatu = core::StrToDateFixed(info.Kimatu);
    row.KikanText = core::GetKikanText(row.Kishu, row.Kimatu);
    row.DataType = info.DataKbn;
    row.CodeType = info.CodeKbn;
    row.Tantou = info.Tanto;
    row.DataLock = 0;
    row.VerMajor = info.VerMajor;
    row.VerMinor1 = info.VerMinor1;
    row.VerMinor2 = info.VerMinor2;
    row.VerText = info.VerName;
    row.UpdateLock = info.UpdateLock;
    row.Cloud = info.CloudShare;
    row.ReadOnly = info.ReadOnly;
    if (row.RowNo > 0)
        row.Gassan = kGassanBunsan;
    if (info.Status == kDataLocked && info.OpCode != 0)
        row.DataLock = info.OpCode % (core::SystemDef.GROUPID * 10000);
    if (info.ShareStatus == kShareTakenOut && info.ShareOpCode == core::SystemDef.OPCODE)
        row.KyoyuLock = 1;
    const bool freeName = row.EntText.isEmpty()
                          || (row.NetDrive != 0 && (row.EntText == kFreeAreaName || row.EntText == kNewAreaName));
    if (freeName)
        row.EntText = info.Shougou;
    row.DispName = row.EntText;
    DeriveLocalPath(row);
}

void TDataSentakuListCtl::NumberChildNames(TDataSentakuRec& parent) {
    for (int i = 0; i < parent.Children.size(); ++i)
        parent.Children[i].DispName = QStringLiteral("%1 ").arg(i + 1, 2, 10, QLatin1Char('0'))
                                      + parent.Children[i].EntText;
}

void TDataSentakuListCtl::RemoveChild(TDataSentakuRec& parent, int index) {
    if (index < 0 || index >= parent.Children.size())
        return;
    parent.Children.removeAt(index);
    parent.ChildCount = std::max(0, parent.ChildCount - 1);
}

void TDataSentakuListCtl::GetDataSubFolders(const TDataListRec& row, QStringList& list) {
    list = core::GetSubFolderList(row.PasName, false);
}

void TDataSentakuListCtl::GetShareSubFolders(const TDataListRec& row, QStringList& list) {
    list = core::GetSubFolderList(row.LocalPath, false);
}

} // namespace companydata
