#include "selection/DataSentakuState.h"

#include "companydata/DataInfomation.h"
#include "controls/dialogs/TMessageBox.h"
#include "controls/grid/TxGrid.h"
#include "core/Exception.h"
#include "core/Globals.h"
#include "core/fileops/FileOperations.h"
#include "core/dates/DateTexts.h"
#include "companydata/DataSentakuListCtl.h"
#include "core/dm/TDM.h"
#include "core/session/SystemDef.h"
#include "core/settings/AccReg.h"
#include "core/text/SjisText.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuBox.h"
#include "selection/DataSentakuLock.h"

#include <QDir>
#include <QFile>

namespace selection {

using companydata::TDataInfomationRec;
using companydata::TDataListRec;

namespace {

core::FileState DataFileState(const QString& folder)
{
    const QString file = QDir(folder).filePath(kDataFileName);
    if (core::DM)
        return core::fileops::FExistState(*core::DM, file, core::ConnectMode);
    return QFile::exists(file) ? core::FileState::Present : core::FileState::Absent;
}

QDate DateOf(const QString& text)
{
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("yyyy/MM/dd"));
    return date.isValid() ? date : QDate();
}

} // namespace

bool IsAllowedDataState(int state, int connectMode)
{
    if (connectMode == 1 || connectMode == 2)
        return state == 1 || state == 2;
    return state == 1;
}

qint32 LoginCodeOf(qint32 opCode, qint32 groupId)
{
    // A group id of 0 would divide by zero: the code is then its own login code.
    const qint64 base = qint64(groupId) * 10000;
    return base > 0 ? qint32(opCode % base) : opCode;
}

int CheckDataState(TDataSentakuBox& box, const QString& folder, bool warn, bool messages, TDataInfomationRec* infoRec)
{
    const core::FileState dataFile = DataFileState(folder);
    if (dataFile == core::FileState::Unknown)
        return 0; // reported; the data set may be there
    if (dataFile == core::FileState::Absent) {
        if (!warn)
            return 1;
        core::showMessage(core::MessageKind::Warning, QStringLiteral("このフォルダには財務データがありません。\r"),
                          core::mbYes);
        return 0;
    }
    companydata::TDataInfomation info;
    info.DataPlace = quint8(core::ConnectMode);
    TDataInfomationRec rec;
    info.ReadIni(folder, rec);
    if (infoRec)
        *infoRec = rec;
    const int state = rec.Status;
    if (state == 0 || state == companydata::kDataBroken || !messages || IsAllowedDataState(state, core::ConnectMode))
        return state;
    controls::TMessageInfoRec box1;
    controls::InitMessageInfo(box1);
    box1.Kind = 1;
    box1.Caption = QStringLiteral("選択データの状態");
    box1.MainText = QStringLiteral("このデータは%1のため処理が行えません。").arg(companydata::GetDataStatusName(state));
    if (state == 2)
        box1.MainText += QStringLiteral("\r前回、異常終了した場合は情報ボタンを押してデータの状態を回復して下さい。");
    box1.Details = DataLockDetailLines(folder, LoginCodeOf(rec.OpCode, core::SystemDef.GROUPID), rec.OpName);
    box.ShowDetailBox(box1);
    return state;
}

void SetDataStatus(const QString& folder, int state)
{
    if (core::ConnectMode != 0)
        return;
    companydata::TDataInfomation info;
    info.DataPlace = 0;
    info.SetDataStatus(folder, quint8(state));
}

void SetListRecFromInfo(TDataListRec& rec, const TDataInfomationRec& info, bool reset)
{
    if (reset) {
        TDataListRec empty;
        empty.Rec = rec.Rec;
        empty.NetDrive = rec.NetDrive;
        empty.PasName = rec.PasName;
        empty.GroupId = core::SystemDef.GROUPID;
        empty.Nendo = 1;
        if (rec.NetDrive != 0) {
            empty.EntText = companydata::kFreeAreaName;
            empty.KyoyuLock = 1;
        }
        companydata::TDataSentakuListCtl::DeriveLocalPath(empty);
        empty.DispName = empty.EntText;
        rec = empty;
        return;
    }
    rec.DataCode = info.Code;
    rec.Shougou = info.Shougou;
    rec.Nendo = info.Nendo;
    rec.Kishu = DateOf(info.Kishu);
    rec.Kimatu = DateOf(info.Kimatu);
    rec.KikanText = rec.Kishu.isValid() && rec.Kimatu.isValid() ? core::GetKikanText(rec.Kishu, rec.Kimatu) : QString();
    rec.DataType = info.DataKbn;
    rec.CodeType = info.CodeKbn;
    rec.Tantou = info.Tanto;
    rec.DataLock = info.Status == companydata::kDataLocked && info.OpCode != 0
        ? LoginCodeOf(info.OpCode, core::SystemDef.GROUPID) : 0;
    if (info.ShareStatus == companydata::kShareTakenOut && info.ShareOpCode == core::SystemDef.OPCODE)
        rec.KyoyuLock = 1;
    rec.VerMajor = info.VerMajor;
    rec.VerMinor1 = info.VerMinor1;
    rec.VerMinor2 = info.VerMinor2;
    rec.VerText = info.VerName;
    rec.UpdateLock = info.UpdateLock;
    rec.Gassan = info.GassanKbn;
    rec.Cloud = info.CloudShare;
    rec.ReadOnly = info.ReadOnly;
    const bool freeName = rec.NetDrive != 0
        ? rec.EntText.isEmpty() || rec.EntText == companydata::kFreeAreaName || rec.EntText == companydata::kNewAreaName
        : rec.EntText.isEmpty();
    if (freeName)
        rec.EntText = info.Shougou;
    rec.DispName = rec.EntText;
}

void UpdateListRow(TDataSentakuBox& box, const TDataListRec& rec)
{
    if (core::TrimZenkaku(rec.PasName).isEmpty())
        throw core::Exception(QStringLiteral("データフォルダパスが不正です。\r処理を中止します。"));
    box.ListCtl.UpdateDataListRecord(rec, 1, 1);
}

std::optional<std::pair<int, int>> GassanSettingFor(int connectMode, int source, int target, int childCount)
{
    using namespace companydata;
    if (connectMode == 1 || connectMode == 2)
        return std::pair{0, 0};
    const bool sourceParent = source == kGassanGassan || source == kGassanHonsiten;
    const bool targetParent = target == kGassanGassan || target == kGassanHonsiten;
    if (sourceParent) {
        if (targetParent)
            return std::pair{target, childCount};
        if (target == kGassanBunsan)
            return std::pair{int(kGassanBunsan), 0};
        return std::nullopt;
    }
    if (source == kGassanBunsan && (target == kGassanTsujou || targetParent))
        return std::pair{0, 0};
    if (source == kGassanTsujou && target == kGassanBunsan)
        return std::pair{int(kGassanBunsan), 0};
    return std::nullopt;
}

void SyncGassanSetting(const QString& folder, int source, int target, int childCount)
{
    const auto setting = GassanSettingFor(core::ConnectMode, source, target, childCount);
    if (!setting)
        return;
    core::TDM& dm = core::RequireDM();
    if (!dm.fnAccDatConnected(core::SystemDef.HOSTNAME, folder, 0))
        return;
    const auto [kind, count] = *setting;
    const bool counted = kind == companydata::kGassanGassan || kind == companydata::kGassanHonsiten;
    try {
        core::funcPutAccReg(QStringLiteral("基本設定"), QStringLiteral("合算データ区分"), QStringLiteral("整数"), kind);
        core::funcPutAccReg(QStringLiteral("基本設定"), QStringLiteral("合算データ数"), QStringLiteral("整数"),
                            counted ? count : 0);
    } catch (...) {
        dm.AccDatDisconnect(folder, 1, 1);
        throw;
    }
    dm.AccDatDisconnect(folder, 1, 1);
}

} // namespace selection
