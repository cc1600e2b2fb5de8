// The child data sets of a consolidated data set: listing the child folders, creating a new
// child from the parent's company database, and the parent's consolidation settings.
#include "companydata/GassanDataCtl.h"

#include "core/EIBError.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/errors/DetailMessage.h"
#include "core/errors/ExceptionText.h"
#include "core/errors/FbAccessError.h"
#include "core/files/FolderTree.h"
#include "core/files/PathDelim.h"
#include "core/files/SubFolders.h"
#include "core/session/Identity.h"
#include "core/settings/AccReg.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace companydata {

namespace {

const QString kSettingGroup = QStringLiteral("基本設定");
const QString kGassanKbnKey = QStringLiteral("合算データ区分");
const QString kGassanCountKey = QStringLiteral("合算データ数");
const QString kIntegerType = QStringLiteral("整数");

int numberOr0(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

QString dataFileOf(const QString& folder) { return folder + QLatin1Char('/') + core::Identity.DataFile; }

// The balance columns of the sixteen periods, two periods per line.
QStringList kakozanLines() {
    QStringList lines{QStringLiteral("UPDATE KAKOZAN SET KISHU=0,")};
    for (int n = 1; n <= 16; n += 2) {
        QString line;
        for (int period : {n, n + 1})
            line += QStringLiteral("KOMIZAN_%1=0,NUKIZAN_%1=0,IKKATSU_%1=0,HAIBUN_%1=0,").arg(period);
        lines << line;
    }
    lines << QStringLiteral("TRIGGER_SWITCH=1");
    return lines;
}

} // namespace

TGassanDataCtl::TGassanDataCtl(QObject* /*owner*/) {
    core::TDM& dm = core::RequireDM();
    ListCtl.LocationMode = core::ConnectMode;
    ListCtl.SetDataPlaceRec(0);
    Info.DataPlace = core::ConnectMode;
    SqlDat.setDatabase(&dm.IBDatabaseDAT);
    SqlDat.setTransaction(&dm.IBTransactionDAT);
    SqlDat2.setDatabase(&dm.IBDatabaseDAT);
    SqlDat2.setTransaction(&dm.IBTransactionDAT);
}

void TGassanDataCtl::SetDataPath(const QString& folder) {
    if (folder == DataPath)
        return;
    DataPath = core::ExcludePathDelim(folder);
    Active = false;
}

void TGassanDataCtl::SetDataListRec(qint32 number) {
    if (number == ParentRec)
        return;
    ParentRec = number;
    Active = false;
}

void TGassanDataCtl::SetActive(bool on) {
    Active = on;
    if (on)
        GetChildDataList(GassanRec);
}

void TGassanDataCtl::GetChildDataList(TGassanDataRec& record) {
    if (DataPath.isEmpty() || core::ConnectMode != 0)
        return;
    core::TDM& dm = core::RequireDM();
    ParentRec = ListCtl.GetRecOfDataPath(DataPath);
    record.Rec = ParentRec;
    TDataSentakuRec parent;
    ListCtl.InitDataListRec(parent, DataPath);
    parent.Rec = ParentRec;
    ListCtl.GetDataListRecord(0, parent, 1);
    ParentNetDrive = parent.NetDrive;
    ParentSharedPath = parent.NetDrive == 1 ? parent.PasName : QString();

    record.DataPath = DataPath;
    record.Siten = 0;
    Children.clear();

    const bool wasConnected = dm.IBDatabaseDAT.connected();
    dm.fnAccDatConnected(core::SystemDef.HOSTNAME, DataPath, 0);
    dm.fnGetAccInfo();

    if (HasChildren(core::AccInf.GassanKbn)) {
        record.Siten = core::AccInf.SITEN;
        const bool medical = core::AccInf.MedicalData == 1;
        for (const QString& name : core::GetSubFolderList(DataPath, true)) {
            const int number = numberOr0(name);
            if (number <= 0 && !(medical && name == QStringLiteral("00")))
                continue;
            TGassanChildDataRec child;
            child.Rec = ParentRec;
            child.ChildNo = Children.size() + 1;
            if (record.Siten != 0)
                child.Code = QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
            // The folder as it is on disk: "1" stays "1", so the path names a folder that exists.
            child.Path = DataPath + QLatin1Char('/') + name;
            Children.append(child);
        }
        parent.Gassan = core::AccInf.GassanKbn;
        ListCtl.GetDataListChildRecord(parent, 0);
        for (TGassanChildDataRec& child : Children)
            for (const TDataListRec& registered : parent.Children)
                if (child.Path == registered.PasName || child.Path == registered.LocalPath)
                    child.ChildNo = registered.RowNo;
    } else {
        parent.Gassan = kGassanGassan;
        ListCtl.GetDataListChildRecord(parent, 0);
        for (const TDataListRec& registered : parent.Children)
            Children.append(TGassanChildDataRec{registered.Rec, registered.RowNo, QString(), registered.LocalPath});
    }

    if (!wasConnected)
        dm.AccDatDisconnect(DataPath, 1, 0);
}

int TGassanDataCtl::IndexOfChildPath(const QString& folder) const {
    for (int i = 0; i < Children.size(); ++i)
        if (Children.at(i).Path == folder)
            return i;
    return -1;
}

int TGassanDataCtl::GetNextChildNo(int n) const {
    int highest = -1;
    for (const TGassanChildDataRec& child : Children)
        highest = std::max(highest, child.ChildNo);
    return n + highest;
}

void TGassanDataCtl::GetNextChildFolderName(const QString& folder, int n, QString& name) {
    name.clear();
    if (!QFileInfo(folder).isDir())
        return;
    int highest = 0;
    for (const QString& entry : core::GetSubFolderList(folder, true))
        highest = std::max(highest, numberOr0(entry));
    if (highest + n > 999)
        throw core::Exception(QStringLiteral("作成できるフォルダ名は[999]までです。"));
    name = QStringLiteral("%1").arg(highest + n, 3, 10, QLatin1Char('0'));
}

void TGassanDataCtl::AccDataSyokika() {
    if (ChildPath.isEmpty())
        return;
    core::TDM& dm = core::RequireDM();
    // The parent's information decides, read before the copy is connected.
    const bool medical = core::AccInf.MedicalData == 1;
    bool started = false;
    try {
        if (!dm.fnAccDatConnected(core::SystemDef.HOSTNAME, ChildPath, 1))
            throw core::Exception(QStringLiteral("\"%1\"に接続できません。").arg(dataFileOf(ChildPath)));
        if (!dm.IBTransactionDAT.inTransaction()) {
            dm.IBTransactionDAT.startTransaction();
            started = true;
        }
        auto run = [this](const QStringList& lines) {
            SqlDat.close();
            SqlDat.sql() = lines;
            SqlDat.execSQL();
        };

        SqlDat.close();
        SqlDat.sql() = QStringList{QStringLiteral("UPDATE ACCDEF1"),
                                   QStringLiteral("SET KANSA_FIXDATE=:KANSA_FIXDATE,KANSA_DATE=:KANSA_DATE,KANSA_LOCK=:KANSA_LOCK"),
                                   QStringLiteral("WHERE REC=1")};
        SqlDat.paramByName(QStringLiteral("KANSA_FIXDATE")).setNull();
        SqlDat.paramByName(QStringLiteral("KANSA_DATE")).setNull();
        SqlDat.paramByName(QStringLiteral("KANSA_LOCK")).setInteger(0);
        SqlDat.execSQL();
        QCoreApplication::processEvents();

        run(kakozanLines());
        run({QStringLiteral("UPDATE KAMOKU_SZ SET KAISIZAN=0,"),
             QStringLiteral("HAIBUN01=0,HAIBUN02=0,HAIBUN03=0,HAIBUN04=0,HAIBUN05=0,HAIBUN06=0,"),
             QStringLiteral("HAIBUN07=0,HAIBUN08=0,HAIBUN09=0,HAIBUN10=0,HAIBUN11=0,HAIBUN12=0,"),
             QStringLiteral("HAIBUN13=0,HAIBUN14=0,HAIBUN15=0,HAIBUN16=0,KAKOZAN=0,KISHU_KOMI=0,KISHU_NUKI=0;")});
        run({QStringLiteral("UPDATE KAMOKU_MS SET KAR_NUK=0,KAR_TAX=0,KAS_NUK=0,KAS_TAX=0,"),
             QStringLiteral("BYOSAN=0,BYOSOKU=0,RYOSAN=0,KAR_IKKATSU=0,KAS_IKKATSU=0;")});
        run({QStringLiteral("UPDATE KAMOKU_TAX SET KAR=0,KAS=0;")});
        run({QStringLiteral("UPDATE SISETUMST SET SIWAKECOUNT=0;")});
        QCoreApplication::processEvents();

        for (const char* table : {"SIWAKE", "KAKOSIWAKE1", "KAKOSIWAKE2", "KS_SISAN"})
            run({QStringLiteral("DELETE FROM %1;").arg(QLatin1String(table))});
        run({QStringLiteral("SET GENERATOR SIWAKE_REC_GEN TO 0;")});
        for (int i = 0; i <= 99; ++i)
            run({QStringLiteral("SET GENERATOR SIWAKE%1_GEN TO 0;").arg(i, 2, 10, QLatin1Char('0'))});
        run({QStringLiteral("SET GENERATOR KSSISAN_GEN TO 0;")});
        QCoreApplication::processEvents();

        core::funcPutAccReg(kSettingGroup, kGassanKbnKey, kIntegerType, QStringLiteral("10"));
        core::funcPutAccReg(kSettingGroup, kGassanCountKey, kIntegerType, QStringLiteral("0"));

        if (medical) {
            // The child keeps the whole corporation (" ") and its own facility; the code is a
            // bound value, never part of the statement text.
            SqlDat.close();
            SqlDat.sql() = QStringList{QStringLiteral("DELETE FROM SISETUMST"),
                                       QStringLiteral("WHERE (SCODE NOT IN (:SCODE1, :SCODE2))")};
            SqlDat.paramByName(QStringLiteral("SCODE1")).setString(QStringLiteral(" "));
            SqlDat.paramByName(QStringLiteral("SCODE2")).setString(ChildCode);
            SqlDat.execSQL();
            if (ChildCode == QStringLiteral("00")) {
                SqlDat2.close();
                SqlDat2.sql() = QStringList{QStringLiteral("SELECT ' ' AS SCODE,KCODE,HCODE,BCODE FROM KAMOKU_SZ"),
                                            QStringLiteral("GROUP BY KCODE,HCODE,BCODE"),
                                            QStringLiteral("HAVING COUNT(SCODE)=1")};
                SqlDat2.execQuery();
                SqlDat.sql() = QStringList{QStringLiteral("DELETE FROM KAMOKU_SZ"),
                                           QStringLiteral("WHERE SCODE=:SCODE AND KCODE=:KCODE AND HCODE=:HCODE AND "
                                                          "BCODE=:BCODE")};
                for (; !SqlDat2.eof(); SqlDat2.next()) {
                    for (const char* column : {"SCODE", "KCODE", "HCODE", "BCODE"})
                        SqlDat.paramByName(QLatin1String(column))
                            .setString(SqlDat2.fieldByName(QLatin1String(column)).asString());
                    SqlDat.execSQL();
                }
                SqlDat2.close();
            }
        }
        if (started)
            dm.IBTransactionDAT.commit();
        started = false;
        Info.ReadIni(ChildPath, WorkInfo);
        dm.AccDatDisconnect(ChildPath, 1, 0);
    } catch (const std::exception& e) {
        SqlDat.close();
        SqlDat2.close();
        // The copy is thrown away by the caller, so nothing of it is kept.
        if (started && dm.IBTransactionDAT.inTransaction()) {
            try {
                dm.IBTransactionDAT.rollback();
            } catch (...) {
            }
        }
        const QString message = QStringLiteral("分散入力用データの初期化に失敗しました。");
        if (const auto* dbError = dynamic_cast<const core::EIBError*>(&e))
            core::ReportFbAccessError(*dbError, QStringLiteral("TGassanDataCtl.AccDataSyokika"), message, 1);
        else
            core::ShowMessageWithDetail(message, core::exceptionText(e), core::MessageKind::Error);
        throw;
    }
}

void TGassanDataCtl::DiscardChildFolder() {
    if (!ChildPath.isEmpty())
        core::DeleteFolderTree(ChildPath, false, true);
    ChildPath.clear();
    ChildCode.clear();
}

bool TGassanDataCtl::MakeBunsanData(const QString& code) {
    core::TDM& dm = core::RequireDM();
    QString folderName = code;
    if (GassanRec.Siten != 0) {
        ChildCode = code;
    } else {
        if (folderName.isEmpty())
            GetNextChildFolderName(DataPath, 1, folderName);
        ChildCode.clear();
    }
    if (folderName.isEmpty())
        return false;
    // An existing folder may hold a child data set: it is never overwritten (nor removed on
    // a later failure).
    const QString target = DataPath + QLatin1Char('/') + folderName;
    if (QFileInfo::exists(target)) {
        ChildCode.clear();
        return false;
    }
    ChildPath = target;
    if (!core::ForceFolder(ChildPath)) {
        ChildPath.clear();
        ChildCode.clear();
        return false;
    }
    // The parent's file is copied only while nobody — this session included — has it
    // attached, so the copy is a consistent database.
    if (dm.IBDatabaseDAT.connected())
        dm.AccDatDisconnect(DataPath, 0, 0);
    if (dm.AccDatInConnection(core::kCompanyDatabase, core::SystemDef.HOSTNAME, 1, DataPath)
        || !core::CopyFileTo(dataFileOf(DataPath), dataFileOf(ChildPath))) {
        DiscardChildFolder();
        return false;
    }
    try {
        AccDataSyokika();
    } catch (const std::exception&) {
        if (dm.IBDatabaseDAT.connected())
            dm.AccDatDisconnect(ChildPath, 0, 0);
        DiscardChildFolder();
        return false;
    }

    int index = IndexOfChildPath(ChildPath);
    if (index < 0) {
        Children.append(TGassanChildDataRec{});
        index = Children.size() - 1;
    }
    TGassanChildDataRec& entry = Children[index];
    entry.ChildNo = 0;
    entry.Rec = GassanRec.Rec;
    entry.ChildNo = GetNextChildNo(1);
    entry.Code = GassanRec.Siten != 0 ? folderName : QString();
    entry.Path = ChildPath;

    if (ParentNetDrive == 1) {
        ListCtl.InitDataListRec(WorkRow, ParentSharedPath + QLatin1Char('/') + folderName);
        WorkRow.NetDrive = 1;
        WorkRow.KyoyuLock = 1;
    } else {
        ListCtl.InitDataListRec(WorkRow, ChildPath);
    }
    WorkRow.Rec = entry.Rec;
    WorkRow.RowNo = entry.ChildNo;
    WorkRow.Gassan = kGassanBunsan;
    ListCtl.SetDataListRecFromInfo(WorkInfo, WorkRow);
    ListCtl.UpdateDataListChildRecord(WorkRow, 1);
    ChildPath.clear();
    ChildCode.clear();
    return true;
}

void TGassanDataCtl::PutGassanSetting(int kind, int count) {
    if (DataPath.isEmpty())
        return;
    core::TDM& dm = core::RequireDM();
    dm.fnAccDatConnected(core::SystemDef.HOSTNAME, DataPath, 0);
    if (kind == kGassanTsujou || kind == kGassanBunsan)
        count = 0;
    try {
        core::funcPutAccReg(kSettingGroup, kGassanKbnKey, kIntegerType, QString::number(kind));
        core::funcPutAccReg(kSettingGroup, kGassanCountKey, kIntegerType, QString::number(count));
    } catch (...) {
        dm.AccDatDisconnect(DataPath, 1, 1);
        throw;
    }
    dm.AccDatDisconnect(DataPath, 1, 1);
}

} // namespace companydata
