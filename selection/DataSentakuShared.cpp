// Shared data sets of the data selection (stand-alone mode): a row stands for a data set on a
// shared drive that is worked on in a local working folder. Fetching copies it from the share
// and marks it in use there; storing copies it back and releases it.
#include "selection/DataSentakuBox.h"

#include "companydata/DataInfomation.h"
#include "controls/grid/TxGrid.h"
#include "core/Globals.h"
#include "core/dm/TDM.h"
#include "core/session/SystemDef.h"
#include "core/ui/MessageService.h"
#include "selection/DataSentakuOpsSupport.h"
#include "selection/DataSentakuState.h"
#include "selection/ServerSentakuBox.h"

namespace selection {

using companydata::TDataListRec;
using companydata::TDataSentakuRec;

namespace {

void SetShareStatusOf(const QString& folder, int status)
{
    if (folder.isEmpty())
        return;
    companydata::TDataInfomation info;
    info.DataPlace = 0;
    info.SetShareStatus(folder, quint8(status));
}

} // namespace

int TDataSentakuBox::FetchSharedRow(int row, bool automatic)
{
    if (!automatic
        && core::showMessage(core::MessageKind::Confirmation, QStringLiteral("共有データの取得を行います。よろしいですか？"),
                             core::mbYesNo)
            != core::mrYes)
        return 0;
    TDataSentakuRec* parent = ParentRecordOf(*this, row);
    if (!parent)
        return 0;
    const int top = Grid->TopRow();
    int r;
    {
        auto progress = ShowProgress(*this, QStringLiteral("共有データ受信中"), QStringLiteral("共有データから受信中…"));
        r = ListCtl.KyoyuDataDown(*parent, automatic ? 1 : 0);
        progress->Close();
    }
    if (r == 1)
        ReloadAndFocus(top, *parent);
    else
        SetShareStatusOf(parent->PasName, companydata::kShareInPlace);
    raise();
    return r;
}

int TDataSentakuBox::StoreSharedRow(int row, bool automatic)
{
    const QString f = List.GetRowDataPath(*Grid, row);
    if (DataCheckRejects(f, automatic)) {
        MarkRowBroken(*this, row);
        SetFKeyCaptions();
        return 0;
    }
    TDataSentakuRec* parent = ParentRecordOf(*this, row);
    if (!parent)
        return 0;
    if (companydata::HasChildren(parent->Gassan)) {
        // A consolidation counts as broken when the parent or one child is.
        bool broken = false;
        const auto check = [&](TDataListRec& rec) {
            TDataListRec derived = rec;
            companydata::TDataSentakuListCtl::DeriveLocalPath(derived);
            if (rec.DataStatus == 1) {
                broken = true;
            } else if (DataCheckRejects(derived.LocalPath, true)) {
                rec.DataStatus = 1;
                if (rec.Gassan == companydata::kGassanBunsan)
                    ListCtl.UpdateDataListChildRecord(rec, 1);
                else
                    UpdateListRow(*this, rec);
                broken = true;
            }
        };
        check(*parent);
        for (TDataListRec& child : parent->Children)
            check(child);
        if (broken) {
            ShowList(-1);
            // Refused also when automatic, silently: the share's copy stays intact.
            if (!automatic)
                ShowLines(*this, 2,
                          {QStringLiteral("合算・分散データに破損したデータが存在するため、共有データの保管を中止します。"),
                           QStringLiteral("データのバックアップを行っている場合は、適正な方法で破損前の状態へ戻して下さい。"),
                           QStringLiteral("ご不明な点がございましたら、お問い合わせ先をご確認の上ご連絡下さい。")});
            return 0;
        }
    }
    if (!automatic
        && core::showMessage(core::MessageKind::Confirmation, QStringLiteral("共有データの保管を行います。よろしいですか？"),
                             core::mbYesNo)
            != core::mrYes)
        return 0;
    const int top = Grid->TopRow();
    int r;
    {
        auto progress = ShowProgress(*this, QStringLiteral("共有データ送信中"), QStringLiteral("共有データへ送信中…"));
        r = ListCtl.KyoyuDataUp(*parent, automatic ? 1 : 0);
        progress->Close();
    }
    if (r == 1)
        ReloadAndFocus(top, *parent);
    return r;
}

bool TDataSentakuBox::AutoShareBeforeUse(int row)
{
    if (core::ConnectMode != 0 || row < 0 || row >= Grid->RowCount())
        return true;
    const TDataListRec rec = List.GetRowRec(*Grid, row);
    if (ShareStateOf(rec) != 1)
        return true;
    if (FetchSharedRow(row, true) != 1)
        return false;
    return StoreSharedRow(Grid->Row(), true) == 1;
}

void TDataSentakuBox::SetShareLock(int mark, TDataSentakuRec& rec)
{
    const int status = mark == 1 ? companydata::kShareTakenOut : companydata::kShareInPlace;
    const auto mark1 = [&](TDataListRec& one, bool child) {
        one.KyoyuLock = mark;
        if (child)
            ListCtl.UpdateDataListChildRecord(one, 1);
        else
            UpdateListRow(*this, one);
        TDataListRec derived = one;
        companydata::TDataSentakuListCtl::DeriveLocalPath(derived);
        SetShareStatusOf(derived.LocalPath, status);
        if (!one.PasName.isEmpty() && !SameFolder(one.PasName, derived.LocalPath))
            ServerSentaku().SetShareStatusIfChanged(one.PasName, status);
    };
    mark1(rec, false);
    if (companydata::HasChildren(rec.Gassan))
        for (TDataListRec& child : rec.Children)
            mark1(child, true);
}

void TDataSentakuBox::btnKyoyuDataDownClick()
{
    // A shared row is fetched, an empty local row gets a shared data set assigned (the
    // shared-data selection); a local row with data is refused.
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return;
    const TDataListRec rec = List.GetRowRec(*Grid, row);
    if (ShareStateOf(rec) != 0) {
        FetchSharedRow(row, false);
    } else if (!rec.EntText.isEmpty()) {
        core::showMessage(core::MessageKind::Information,
                          QStringLiteral("選択したフォルダには既にデータが登録されています。\r"), core::mbYes);
    } else if (TDataSentakuRec* listed = ParentRecordOf(*this, row)) {
        const QString folder = List.GetRowDataPath(*Grid, row);
        TServerSentakuBox& server = ServerSentaku();
        server.DriveLetter = core::SystemDef.ZenkaiDrive;
        server.Prepare(1);
        hide();
        const int chosen = ShowServerBox(server);
        if (chosen == core::mrOk) {
            auto progress = ShowProgress(*this, QStringLiteral("共有データ受信中"), QStringLiteral("共有データから受信中…"));
            core::SystemDef.ZenkaiDrive = server.DriveLetter;
            if (core::DM)
                core::DM->fnPutSysDef();
            TDataSentakuRec shared = *listed;
            shared.NetDrive = 1;
            shared.PasName = server.SelPath;
            shared.EntText = server.SelName;
            shared.DispName = server.SelName;
            companydata::TDataSentakuListCtl::DeriveLocalPath(shared);
            if (ListCtl.KyoyuDataDown(shared, 0) != 1)
                SetShareStatusOf(shared.PasName, companydata::kShareInPlace);
            progress->Close();
            TDataSentakuRec reloaded;
            if (ListCtl.GetDataListRecordByPath(folder, reloaded) == 1)
                ReloadAndFocus(Grid->TopRow(), reloaded);
            else
                ReloadAndFocus(Grid->TopRow(), shared);
        }
        show();
    }
    raise();
    SetFKeyCaptions();
}

void TDataSentakuBox::btnKyoyuDataUpClick()
{
    const int row = Grid->Row();
    if (row < 0 || row >= Grid->RowCount())
        return;
    const TDataListRec rec = List.GetRowRec(*Grid, row);
    if (core::ConnectMode == 0 && SyoriType == 2 && !rec.PasName.isEmpty()
        && SameFolder(rec.PasName, core::SystemDef.DataListFolder)) {
        ShowLines(*this, 2, {QStringLiteral("このデータは自分で使用中の為、共有保管は行えません。")});
    } else {
        StoreSharedRow(row, false);
    }
    raise();
    SetFKeyCaptions();
}

} // namespace selection
