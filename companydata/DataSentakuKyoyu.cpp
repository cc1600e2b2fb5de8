// Shared data sets of the data list: taking one (with the children of a consolidated one) out
// of its shared folder into the local working folder and sending it back, the registry rows
// kept in step, and the state message that tells the user why a fetch was refused.
#include "companydata/DataSentakuListCtl.h"

#include "companydata/DataInfomation.h"
#include "companydata/RegistryTransaction.h"
#include "controls/dialogs/TxAnimeProgressDialog.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/files/FolderTree.h"
#include "core/files/PathDelim.h"
#include "core/files/SubFolders.h"
#include "core/session/Identity.h"
#include "core/ui/MessageService.h"

#include <QFileInfo>
#include <QThread>

namespace companydata {

namespace {

const QString kStateCaption = QStringLiteral("選択データの状態");
const QString kUnreachableText =
    QStringLiteral("共有サーバーが起動していない、接続が切断されている または 共有サーバー上のデータ領域が削除された可能性があります。");
const QString kBrokenText = QStringLiteral("共有サーバー上のデータが破損しているため、共有データの取得を中止します。\r"
                                           "データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。");
const QString kInUseText = QStringLiteral("共有データは現在使用されています。");
const QString kIndent = QStringLiteral("　");

bool holdsDataFile(const QString& folder) {
    return QFileInfo::exists(folder + QLatin1Char('/') + core::Identity.DataFile);
}

QString lastComponent(const QString& path) {
    const QString trimmed = core::ExcludePathDelim(path);
    return trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

// The local working folder of a child: its shared folder with the parent's shared folder
// replaced by the parent's working folder.
QString childLocalFolder(const TDataListRec& parent, const TDataListRec& child) {
    return core::ExcludePathDelim(parent.LocalPath) + QLatin1Char('/') + lastComponent(child.PasName);
}

// The modal box of a refused fetch: one OK button, the text in red, the detail lines below.
// The session's progress dialog is closed first so that it does not cover the box.
void ShowStateMessage(const QString& text, const QStringList& lines) {
    if (auto* progress = qobject_cast<controls::TxAnimeProgressDialog*>(core::SystemDef.ProgressDialog.data()))
        if (progress->Shown())
            progress->Close();
    core::MessageRequest request;
    request.kind = core::MessageKind::Warning;
    request.caption = kStateCaption;
    request.text = text;
    request.detail = lines.join(QLatin1Char('\n'));
    request.buttons = core::mbOK;
    core::messageService().showMessage(request);
}

// Who has the data set: its folder, the operator's login code and name.
QStringList OperatorLines(const QString& folder, const TDataInfomationRec& info) {
    QStringList lines{QStringLiteral("【データフォルダ】"), kIndent + folder, QString(), QStringLiteral("【オペレータ】")};
    if (info.ShareOpCode > 0 && core::SystemDef.GROUPID != 0)
        lines << kIndent + QString::number(info.ShareOpCode % (core::SystemDef.GROUPID * 10000));
    lines << QString() << QStringLiteral("【オペレータ名】") << kIndent + info.ShareOpName;
    return lines;
}

bool isFreeArea(const QString& name) { return name == kFreeAreaName || name == kNewAreaName; }

} // namespace

int TDataSentakuListCtl::KyoyuDataDown(TDataSentakuRec& row, int quiet) {
    if (row.PasName.isEmpty() || row.LocalPath.isEmpty())
        return 0;
    TDataInfomation info;
    info.DataPlace = LocationMode;
    TDataInfomationRec shared;
    int r = info.ReadIni(row.PasName, shared);
    if (r == 0 && isFreeArea(row.EntText))
        r = 1;
    if (r == 0) {
        if (quiet != 1) {
            MsgLines = QStringList{QStringLiteral("【共有データパス】"), row.PasName};
            ShowStateMessage(kUnreachableText, MsgLines);
        }
        return 0;
    }

    int state = shared.Status == kDataBroken ? -1 : 0;
    if (shared.Shougou.isEmpty())
        shared.Shougou = row.EntText.isEmpty() ? kFreeAreaName : row.EntText;
    if (shared.DataListName.isEmpty())
        shared.DataListName = row.EntText.isEmpty() ? kFreeAreaName : row.EntText;
    row.EntText = shared.DataListName;
    row.DispName = shared.DataListName;
    row.UpdateLock = shared.UpdateLock;
    row.ReadOnly = shared.ReadOnly;
    row.Gassan = shared.GassanKbn;
    SetDataListRecFromInfo(shared, row);
    row.KyoyuLock = 0;
    UpdateDataListRecord(row, 0, 1);
    DeleteDataListChildRecord(row, 1);

    if (state == 0 && HasChildren(row.Gassan)) {
        // The children are registered again from what the shared folder holds now; a broken
        // child refuses the whole fetch before anything is copied.
        row.ChildCount = 0;
        row.Children.clear();
        SubFolders = core::GetSubFolderList(row.PasName, false);
        for (int i = 0; i < SubFolders.size(); ++i) {
            const QString& folder = SubFolders.at(i);
            if (!holdsDataFile(folder))
                continue;
            TDataInfomationRec childInfo;
            info.ReadIni(folder, childInfo);
            if (childInfo.Status == kDataBroken)
                state = -1;
            TDataListRec child;
            InitDataListRec(child, folder);
            child.Rec = row.Rec;
            child.RowNo = i + 1;
            child.NetDrive = row.NetDrive;
            child.UpdateLock = row.UpdateLock;
            child.ReadOnly = row.ReadOnly;
            child.Gassan = kGassanBunsan;
            SetDataListRecFromInfo(childInfo, child);
            child.KyoyuLock = 0;
            row.Children.append(child);
            row.ChildCount = row.Children.size();
            UpdateDataListRecord(child, 0, 1);
        }
    }

    if (state == -1) {
        MsgLines = OperatorLines(row.PasName, shared);
        ShowStateMessage(kBrokenText, MsgLines);
        return -1;
    }

    r = info.KyoyuDataDown(row.PasName, row.LocalPath, quiet);
    if (r == 0) {
        try {
            info.SetShareStatus(row.PasName, kShareInPlace);
        } catch (const std::exception&) {
            // The shared folder could not be reached; nothing more to put back.
        }
        return 0;
    }
    if (r == -1) {
        MsgLines = OperatorLines(row.PasName, info.DataInfoRec);
        ShowStateMessage(info.DataInfoRec.Status == kDataBroken ? kBrokenText : kInUseText, MsgLines);
    }
    row.KyoyuLock = r == 1 ? 1 : 0;
    UpdateDataListRecord(row, 0, 1);
    if (HasChildren(row.Gassan)) {
        for (const QString& folder : core::GetSubFolderList(row.LocalPath, false))
            if (holdsDataFile(folder))
                core::DeleteFolderTree(folder, false, true);
        for (TDataListRec& child : row.Children) {
            if (!holdsDataFile(child.PasName))
                continue;
            if (info.KyoyuDataDown(child.PasName, childLocalFolder(row, child), 1) == 0)
                break;
            child.KyoyuLock = row.KyoyuLock;
            UpdateDataListRecord(child, 0, 1);
        }
    }
    return r;
}

// Sends the working copy back. The children go first: when any of them cannot be copied,
// nothing is given up — the parent stays taken out, its lock stays, and the shared copies stay
// as they were. Only then the parent goes, and a shared child folder is removed only when the
// working copy no longer has a child of that name (it was deleted while taken out).
int TDataSentakuListCtl::KyoyuDataUp(TDataSentakuRec& row, int quiet) {
    if (row.PasName.isEmpty() || row.LocalPath.isEmpty())
        return 0;
    TDataInfomation info;
    info.DataPlace = LocationMode;
    const QString localRoot = core::ExcludePathDelim(row.LocalPath);
    const QString sharedRoot = core::ExcludePathDelim(row.PasName);
    if (HasChildren(row.Gassan)) {
        // Every child of the working copy, also one made while the data set was taken out.
        for (const QString& name : core::GetSubFolderList(localRoot, true)) {
            const QString local = localRoot + QLatin1Char('/') + name;
            if (holdsDataFile(local) && info.KyoyuDataUp(sharedRoot + QLatin1Char('/') + name, local, 1) != 1)
                return 0;
        }
    }
    if (info.KyoyuDataUp(row.PasName, row.LocalPath, quiet) != 1)
        return 0;
    row.KyoyuLock = 0;
    UpdateDataListRecord(row, 0, 1);
    for (const QString& folder : core::GetSubFolderList(sharedRoot, false)) {
        if (!holdsDataFile(folder) || holdsDataFile(localRoot + QLatin1Char('/') + lastComponent(folder)))
            continue;
        core::DeleteFolderTree(folder, false, false);
        QThread::msleep(500); // lets the file server finish the removal before the next one
    }
    if (HasChildren(row.Gassan)) {
        for (TDataListRec& child : row.Children) {
            if (!holdsDataFile(childLocalFolder(row, child)))
                continue;
            child.KyoyuLock = row.KyoyuLock;
            UpdateDataListRecord(child, 0, 1);
        }
    }
    return 1;
}

void TDataSentakuListCtl::GetSharePathByPasName(const QString& sharedFolder, quint8 kind, QString& localFolder) {
    localFolder.clear();
    if (sharedFolder.trimmed().isEmpty())
        return;
    // A child is found through its parent: the shared folder without its last component.
    QString key = sharedFolder;
    if (kind == kGassanBunsan) {
        const QString trimmed = core::ExcludePathDelim(sharedFolder);
        const int cut = trimmed.lastIndexOf(QLatin1Char('/'));
        key = (cut > 0 ? trimmed.left(cut) : QString()).trimmed();
    }
    qint32 rec = 0;
    core::TDM& dm = core::RequireDM();
    RegistryTransaction tr;
    try {
        tr.begin(dm.IBTransactionDEF);
        Sql.close();
        Sql.sql() = QStringList{QStringLiteral("SELECT REC FROM ") + TableName, QStringLiteral("WHERE (PASNAME=:PASNAME)"),
                                QStringLiteral("ORDER BY REC")};
        Sql.paramByName(QStringLiteral("PASNAME")).setString(key);
        Sql.execQuery();
        if (!Sql.eof())
            rec = Sql.fieldByName(QStringLiteral("REC")).asInteger();
        Sql.close();
        tr.commit();
    } catch (const std::exception&) {
        // Not found is the answer when the registry cannot be read.
        Sql.close();
        tr.rollback();
        rec = 0;
    }
    if (rec <= 0)
        return;
    TDataListRec row;
    InitDataListRec(row, sharedFolder);
    row.Rec = rec;
    row.NetDrive = 1;
    row.Gassan = kind;
    DeriveLocalPath(row);
    localFolder = row.LocalPath;
}

} // namespace companydata
