// The server data list of one shared drive: listing it in a sort order, rebuilding it from the
// folders on the drive, and naming the next free "sv" folder of the drive.
#include "companydata/DataSentakuListCtl.h"

#include "companydata/RegistryTransaction.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/PathDelim.h"
#include "core/files/SubFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace companydata {

namespace {

const QString kServerKeyWhere = QStringLiteral("WHERE (DRIVELETTER=:DRIVELETTER) AND (GROUPID=:GROUPID)");

// The backup folders of the accounting product and its OEM edition never hold a data set.
bool isBackupFolder(const QString& name) {
    const QString upper = name.toUpper();
    return upper == QStringLiteral("TALLEKZAIMU_BACKUP") || upper == QStringLiteral("VELMORAZAIMU_BACKUP");
}

QStringList dataFolderNames(const QString& folder) {
    QStringList names;
    for (const QString& name : core::GetSubFolderList(folder, true))
        if (!isBackupFolder(name) && !IsPasteWorkFolder(name))
            names << name;
    return names;
}

// A free area of the drive as the rebuild lists it, before the caller reads its data set.
void initFreeArea(TDataListRec& row) {
    row.EntText = kFreeAreaName;
    row.Nendo = 0;
    row.KikanText = QStringLiteral("～");
    row.NetDrive = 1;
}

// The number of a server folder name "sv" + four digits, or -1 for any other name.
int serverFolderNumber(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^sv(\\d{4})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString serverFolderName(int number) { return QStringLiteral("sv%1").arg(number, 4, 10, QLatin1Char('0')); }

} // namespace

void TDataSentakuListCtl::ServerExecute(int mode, const QString& drivePath, int sortKind, bool descending,
                                        const QString& /*unused*/) {
    ClearList();
    if (ServerList == 0)
        return;
    core::TDM& dm = core::RequireDM();
    std::optional<RegistryTransaction> tr;
    const QString driveLetter = DriveLetterOf(drivePath);
    auto bindKey = [&](core::TIBSQL& q) {
        q.paramByName(QStringLiteral("DRIVELETTER")).setString(driveLetter);
        q.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
    };
    try {
        tr.emplace(dm.IBTransactionDEF);
        Sql.close();
        if (mode == 0) {
            Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM SERVERDATALIST"), kServerKeyWhere};
            bindKey(Sql);
            Sql.execQuery();
            RowCount = Sql.eof() ? 0 : Sql.fieldByName(QStringLiteral("RECCNT")).asInteger();
            Sql.close();
            Rows.resize(RowCount);
            if (RowCount > 0) {
                const QString freeFilter = QStringLiteral("AND (ENTTEXT<>'' AND ENTTEXT<>'%1' AND ENTTEXT<>'%2')")
                                               .arg(kFreeAreaName, kNewAreaName);
                struct Order {
                    bool named;
                    const char* ascending;
                    const char* descending;
                };
                static const Order orders[] = {
                    {false, "ORDER BY PASNAME", "ORDER BY PASNAME"}, // any other kind
                    {true, "ORDER BY ENTTEXT,PASNAME", "ORDER BY ENTTEXT DESC,PASNAME DESC"},
                    {true, "ORDER BY NENDO,PASNAME", "ORDER BY NENDO DESC,PASNAME DESC"},
                    {true, "ORDER BY KISHU,PASNAME", "ORDER BY KISHU DESC,PASNAME DESC"},
                    {false, "ORDER BY PASNAME", "ORDER BY PASNAME DESC"},
                    {true, "ORDER BY VER_MAJOR,VER_MINOR1,VER_MINOR2,REC",
                     "ORDER BY VER_MAJOR DESC,VER_MINOR1 DESC,VER_MINOR2 DESC,REC DESC"},
                    {true, "ORDER BY DATACODE,REC", "ORDER BY DATACODE DESC,REC DESC"},
                };
                const Order& order = orders[(sortKind >= 2 && sortKind <= 7) ? sortKind - 1 : 0];
                const QString head = QStringLiteral(
                    "SELECT REC,ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,NENDO,KISHU,KIMATU,DATALOCK,TANTOU,");

                int index = 0;
                auto readRows = [&]() {
                    bindKey(Sql);
                    Sql.execQuery();
                    for (; !Sql.eof() && index < RowCount; Sql.next())
                        ReadRow(Sql, Rows[index++], true);
                    Sql.close();
                };
                Sql.sql() = QStringList{head} + RowColumnsTail();
                Sql.sql() << QStringLiteral("FROM SERVERDATALIST") << kServerKeyWhere;
                if (order.named)
                    Sql.sql() << freeFilter;
                Sql.sql() << QString::fromUtf8(descending ? order.descending : order.ascending);
                readRows();
                if (order.named) {
                    Sql.sql() = QStringList{head} + RowColumnsTail();
                    Sql.sql() << QStringLiteral("FROM SERVERDATALIST")
                              << QStringLiteral("WHERE (DRIVELETTER=:DRIVELETTER) AND (GROUPID=:GROUPID) AND "
                                                "(ENTTEXT='' OR ENTTEXT='%1' OR ENTTEXT='%2')")
                                     .arg(kFreeAreaName, kNewAreaName)
                              << QStringLiteral("ORDER BY PASNAME");
                    readRows();
                }
            }

            Sql.sql() = QStringList{QStringLiteral("SELECT COUNT(REC) AS RECCNT FROM CHILD_SERVERDATALIST"),
                                    QStringLiteral("WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)")};
            bindKey(Sql);
            Sql.execQuery();
            AllChildCount = Sql.eof() ? 0 : Sql.fieldByName(QStringLiteral("RECCNT")).asInteger();
            Sql.close();
            AllChildren.resize(AllChildCount);
            if (AllChildCount > 0) {
                Sql.sql() = QStringList{QStringLiteral("SELECT REC,ROWNO,ENTTEXT,SHOUGOU,PASNAME,DATATYPE,CODETYPE,"
                                                       "NENDO,KISHU,KIMATU,DATALOCK,TANTOU,")}
                            + RowColumnsTail();
                Sql.sql() << QStringLiteral("FROM CHILD_SERVERDATALIST")
                          << QStringLiteral("WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)")
                          << QStringLiteral("ORDER BY REC,PASNAME");
                bindKey(Sql);
                Sql.execQuery();
                int child = 0;
                for (; !Sql.eof() && child < AllChildCount; Sql.next()) {
                    TDataListRec& entry = AllChildren[child++];
                    ReadRow(Sql, entry, true);
                    for (TDataSentakuRec& parent : Rows) {
                        if (parent.Rec == entry.Rec) {
                            parent.Children.append(entry);
                            parent.ChildCount = parent.Children.size();
                            break;
                        }
                    }
                }
                Sql.close();
            }
        } else if (mode == 1) {
            for (const QString& table : {QStringLiteral("SERVERDATALIST"), QStringLiteral("CHILD_SERVERDATALIST")}) {
                Sql.sql() = QStringList{QStringLiteral("DELETE FROM ") + table,
                                        QStringLiteral("WHERE (GROUPID=:GROUPID) AND (DRIVELETTER=:DRIVELETTER)")};
                bindKey(Sql);
                Sql.execSQL();
            }
            const QString drive = core::ExcludePathDelim(drivePath);
            SubFolders = dataFolderNames(drive);
            RowCount = SubFolders.size();
            Rows.resize(RowCount);
            for (int i = 0; i < RowCount; ++i) {
                TDataSentakuRec& row = Rows[i];
                InitDataListRec(row, QString());
                initFreeArea(row);
                row.PasName = drive + QLatin1Char('/') + SubFolders.at(i);
                const QStringList children = dataFolderNames(row.PasName);
                row.ChildCount = children.size();
                for (int j = 0; j < children.size(); ++j) {
                    TDataListRec child;
                    InitDataListRec(child, QString());
                    child.RowNo = j + 1;
                    child.PasName = row.PasName + QLatin1Char('/') + children.at(j);
                    initFreeArea(child);
                    child.Gassan = kGassanBunsan;
                    AllChildren.append(child);
                    row.Children.append(child);
                }
            }
            AllChildCount = AllChildren.size();
        }
        tr->commit();
    } catch (const std::exception& e) {
        Sql.close();
        if (tr)
            tr->rollback();
        ReportFailure(e, QStringLiteral("TDataSentakuListCtl.ServerExecute"),
                      QStringLiteral("共有データリストの取得に失敗しました。"));
    }
}

// The next free "sv" folder name of the drive: one above the highest "sv" + four digits that
// is registered for the drive or present on it, and never a folder that exists already.
// Names of another shape do not count. When the registry cannot be read the folders on the
// drive alone decide, so the answer still names a folder that does not exist. Empty when the
// four digits are exhausted.
void TDataSentakuListCtl::GetNextServerFolderName(const QString& drivePath, int n, QString& name) {
    const QString drive = core::ExcludePathDelim(drivePath);
    int highest = 0;
    core::TDM& dm = core::RequireDM();
    std::optional<RegistryTransaction> tr;
    try {
        tr.emplace(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT PASNAME FROM SERVERDATALIST"), kServerKeyWhere};
        Sql.paramByName(QStringLiteral("DRIVELETTER")).setString(DriveLetterOf(drivePath));
        Sql.paramByName(QStringLiteral("GROUPID")).setInteger(core::SystemDef.GROUPID);
        Sql.execQuery();
        for (; !Sql.eof(); Sql.next()) {
            QString path = Sql.fieldByName(QStringLiteral("PASNAME")).asString();
            path.replace(QLatin1Char('\\'), QLatin1Char('/'));
            path = core::ExcludePathDelim(path);
            const int cut = path.lastIndexOf(QLatin1Char('/'));
            if (cut < 0 || path.left(cut) != drive)
                continue;
            highest = std::max(highest, serverFolderNumber(path.mid(cut + 1)));
        }
        Sql.close();
        tr->commit();
    } catch (const std::exception&) {
        Sql.close();
        if (tr)
            tr->rollback();
    }
    for (const QString& folder : core::GetSubFolderList(drive, true))
        highest = std::max(highest, serverFolderNumber(folder));
    int number = highest + std::max(n, 1);
    while (number <= 9999 && QFileInfo::exists(drive + QLatin1Char('/') + serverFolderName(number)))
        ++number;
    name = number <= 9999 ? serverFolderName(number) : QString();
}

} // namespace companydata
