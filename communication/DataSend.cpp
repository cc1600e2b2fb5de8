// The send of a data set as a communication archive: backup, LHA archive, file cipher, FTP put
// with the previous file kept as "bak", and the service's start and completion requests.
#include "communication/CommArchive.h"
#include "communication/DataTusinCtl.h"
#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "companydata/BackupRestoreThread.h"
#include "companydata/DataInfomation.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dm/TDM.h"
#include "core/ui/MessageService.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <optional>

namespace communication {

void TDataTusinCtl::StepPause() const
{
    // A plain wait: no window messages are processed between the steps.
    if (StepPauseMs > 0)
        QThread::msleep(ulong(StepPauseMs));
}

bool TDataTusinCtl::SaveForSend(bool showMessage)
{
    companydata::TDataInfomation info;
    info.DataPlace = core::ConnectMode;
    core::TDM& dm = core::RequireDM();
    if (!dm.IBTransactionDAT.inTransaction() && dm.IBDatabaseDAT.connected())
        dm.IBTransactionDAT.startTransaction();
    const QString folder = OperationFolder();
    info.SetDataStatus(folder, 4);

    companydata::TBackupRestoreThread thread(true);
    thread.Mode = 0;
    thread.TransferKind = core::ConnectMode != 0 ? 1 : 0;
    thread.HostName = core::SystemDef.HOSTNAME;
    thread.DatabaseName = folder + QStringLiteral("/qmacc.fdb");
    thread.BackupFileName = ArchiveFiles(IsCloud(), false).Backup;
    thread.ClearZoneInfo();
    thread.WriteZone = true;
    const core::TACCINF& acc = core::AccInf;
    thread.ZoneShougou = acc.SHOUGOU;
    thread.ZoneKishu = acc.KISHU.toString(QStringLiteral("yyyy/MM/dd"));
    thread.ZoneKimatu = acc.KIMATU.toString(QStringLiteral("yyyy/MM/dd"));
    thread.ZoneSiwake = dm.GetYukouSiwakeCount(QString());
    thread.ZoneTotalSiwake = dm.GetSiwakeCountTotal(QString());
    thread.ZoneDataVersion = IsCloud() ? QStringLiteral("%1.%2.%3").arg(DataVersion[0]).arg(DataVersion[1]).arg(DataVersion[2])
                                       : QStringLiteral("%1.%2.%3").arg(acc.DataMajor).arg(acc.DataMinor1).arg(acc.DataMinor2);
    thread.ZoneUseMyNumber = acc.UseMyNumber;
    thread.AskIncludeMyNumber = false;
    thread.ProcessName = IsCloud() ? QStringLiteral("クラウドシェア送信") : QStringLiteral("データ送信");
    thread.ZoneGassan = acc.GassanKbn;
    companydata::RunBackupRestoreThread(thread);

    const bool ok = thread.Succeeded && !thread.Failed;
    if (!ok) {
        core::showMessage(core::MessageKind::Warning, thread.ErrorCategory + QLatin1Char('\r') + thread.ErrorMessage, core::mbYes);
        if (showMessage)
            ShowLocalError(QStringLiteral("データの保存に失敗しました。\r保存処理を中止しました。"));
    }
    info.SetDataStatus(folder, 1);
    if (SyoriType == stDataSend)
        view_.SetNotTopmost(true);
    return ok;
}

int TDataTusinCtl::SendData()
{
    const bool cloud = IsCloud();
    const int folderNumber = cloud ? core::AccInf.CLOUD_LINE : view_.SelectedRow() + 1;
    const QString folderText = FolderText(folderNumber);
    if (!cloud && core::showMessage(core::MessageKind::Confirmation,
                                    Framed(QStringLiteral("中継サーバーの No.") + QString::number(folderNumber)
                                           + QStringLiteral(" フォルダに、現在利用中のデータを送信します。実行しますか？")),
                                    core::mbYesNo) != core::mrYes)
        return 1;

    const TArchiveFiles files = ArchiveFiles(cloud, false);
    const bool analysisCloud = !cloud && CloudKbn == 1;
    bool checkedOut = false;
    const auto stepDone = [&](int box, const QString& caption) { view_.StepWindowSet(box, StepState::Finished, caption + QStringLiteral("　終了")); };
    const auto stepRun = [&](int box, const QString& caption) { view_.StepWindowSet(box, StepState::Running, caption + QStringLiteral("　実行中")); };
    const QStringList captions{QStringLiteral("送信用データ保存"), QStringLiteral("送信用データ圧縮"), QStringLiteral("送信用データ暗号化"),
                               cloud ? QStringLiteral("クラウドへデータ送信") : QStringLiteral("中継サーバーへデータ送信"),
                               analysisCloud ? QStringLiteral("経営ゼブリククラウドへデータ送信") : QString()};

    view_.SetBusyCursor(true);
    view_.StepWindowOpen(captions, cloud ? WaitCaption : QString());
    stepRun(1, captions[0]);
    // The steps; a failing step shows its message and gives 1.
    const auto run = [&]() -> int {
        if (!cloud && view_.ConfirmBeforeSend() == 2)
            return 0;
        view_.SetDialogEnabled(false);
        StepPause();

        if (cloud) {
            TRelayRequest request(QStringLiteral("1833"), ServerInfo[kServerInfoSerial], CommunicationId());
            request.Plain("fSname", folderText).Encoded("fOpName", OpNameEnc).Encoded("fPcName", PcNameEnc);
            std::optional<TRelayReply> reply;
            try {
                reply.emplace(Exchange(request.Target()));
            } catch (const std::exception&) {
                view_.BusyClose();
                ShowNetError(Framed(QStringLiteral("サーバーに接続出来ません。(送信開始処理)")));
                return 1;
            }
            try {
                LineTime[0] = SeparatedTimeText(ValueFrom(reply->Line(5), 8));
                SrvTime = TimeOfText(LineTime[0]);
                const QString code = ResultCode(reply->Line(6));
                if (code != QStringLiteral("000")) {
                    view_.BusyClose();
                    ShowNetError(Framed(QStringLiteral("送信開始処理サーバーエラー(") + code + QLatin1Char(')')));
                    return 1;
                }
                checkedOut = true;
                if (!SetCloudTime(SrvTime)) {
                    view_.BusyClose();
                    ShowNetError(QStringLiteral("ローカルデータの最終更新日付更新エラー"));
                    return 1;
                }
            } catch (const std::exception&) {
                view_.BusyClose();
                ShowNetError(Framed(QStringLiteral("送信開始処理エラー")));
                return 1;
            }
        }

        if (!QDir().mkpath(files.Folder)) {
            view_.BusyClose();
            ShowLocalError(QStringLiteral("送信用フォルダの作成に失敗しました。"));
            return 1;
        }
        if (!DeleteOld(files.Backup)) {
            view_.BusyClose();
            ShowLocalError(QStringLiteral("旧バックアップファイルが削除出来ません。"));
            return 1;
        }
        if (!SaveForSend(true))
            return 1;

        stepDone(1, captions[0]);
        stepRun(2, captions[1]);
        StepPause();
        if (StepFailed(PackArchive(files, {QStringLiteral("圧縮エラー"), QStringLiteral("圧縮失敗")}, [this] { StepPause(); })))
            return 1;

        stepDone(2, captions[1]);
        stepRun(3, captions[2]);
        if (StepFailed(EncipherArchive(files, core::AccInf.PASWORD)))
            return 1;

        stepDone(3, captions[2]);
        stepRun(4, captions[3]);
        StepPause();
        if (!QFileInfo::exists(files.Wen)) {
            view_.BusyClose();
            ShowLocalError(Framed(QStringLiteral("暗号化ファイルが見つかりません。")));
            return 1;
        }
        if (cloud && !GetServerInfo())
            return 1;
        if (StepFailed(PutFailure(PutArchive(ServerInfo[kServerInfoFtpHost], CommunicationId(), ServerInfo[kServerInfoFtpPassword],
                                             QStringLiteral("/") + folderText, files.ServerName, files.Wen, [this] { StepPause(); }))))
            return 1;

        const core::TACCINF& acc = core::AccInf;
        const int major = cloud ? DataVersion[0] : acc.DataMajor;
        const int minor = cloud ? DataVersion[1] : acc.DataMinor1;
        TRelayRequest done(cloud ? QStringLiteral("1823") : QStringLiteral("1820"), ServerInfo[kServerInfoSerial], CommunicationId());
        done.Plain("fSname", folderText).Encoded("fSg", EncodeRequestName(acc.ENTTEXT));
        done.Plain("fNe", QString::number(acc.NENDO)).Plain("fKis", DayKey(acc.KISHU)).Plain("fKie", DayKey(acc.KIMATU));
        done.Plain("fPa", acc.PASWORD).Plain("fYobi", QString::asprintf("%2.2d%2.2d", major, minor));
        if (cloud)
            done.Encoded("fOpName", OpNameEnc).Encoded("fPcName", PcNameEnc);
        std::optional<TRelayReply> reply;
        try {
            reply.emplace(Exchange(done.Target()));
        } catch (const std::exception&) {
            view_.BusyClose();
            ShowNetError(Framed(QStringLiteral("サーバーに接続出来ません。(完了処理)")));
            return 1;
        }
        QString sentTime;
        try {
            const QString value = ValueFrom(reply->Line(5), 8);
            sentTime = CompactTimeText(value);
            const int row = folderNumber - 1;
            if (cloud) {
                SrvTime = TimeOfText(sentTime);
                if (row >= 0 && row < 10) {
                    ServerInfo[100 + row] = QStringLiteral("-");
                    ServerInfo[110 + row] = QStringLiteral("-");
                }
            } else if (row >= 0 && row < 10) {
                ServerInfo[80 + row] = sentTime.left(16);
                ServerInfo[100 + row] = QStringLiteral("-");
                ServerInfo[110 + row] = QStringLiteral("-");
            }
            const QString code = ResultCode(reply->Line(6));
            if (code != QStringLiteral("000")) {
                view_.BusyClose();
                ShowNetError(Framed(QStringLiteral("サーバーエラー(") + code + QLatin1Char(')')));
                return 1;
            }
            if (cloud && !SetCloudTime(SrvTime)) {
                view_.BusyClose();
                ShowNetError(QStringLiteral("ローカルデータの送信時間更新エラー"));
                return 1;
            }
        } catch (const std::exception&) {
            view_.BusyClose();
            ShowNetError(Framed(QStringLiteral("送信エラー")));
            return 1;
        }
        checkedOut = false;

        if (!cloud) {
            const int row = folderNumber - 1;
            const bool era = core::EraDisplayOn();
            const auto day = [&](const QDate& d) {
                return era ? core::FormatDateText(QStringLiteral("yy/mm/dd"), 2, d, true) : d.toString(QStringLiteral("yyyy/MM/dd"));
            };
            const QString time16 = sentTime.left(16);
            Cells[row][1] = acc.ENTTEXT;
            Cells[row][2] = QString::number(acc.NENDO) + QStringLiteral("期");
            Cells[row][3] = day(acc.KISHU) + QStringLiteral(" ～ ") + day(acc.KIMATU);
            Cells[row][4] = era ? day(core::StrToDateFixed(time16.left(10))) + QLatin1Char(' ') + time16.mid(11, 5) : time16;
            Cells[row][5] = QStringLiteral("-");
            Cells[row][6] = GetVersionLabel(acc.DataMajor, acc.DataMinor1);
        }
        stepDone(4, captions[3]);
        if (analysisCloud) {
            stepRun(5, captions[4]);
            StepPause();
            if (!SendAnalysisCloud())
                return 1;
            stepDone(5, captions[4]);
            StepPause();
        }
        if (!cloud)
            view_.ResetAfterSend();
        view_.StepWindowClose();
        view_.SetNotTopmost(true);
        view_.SetDialogEnabled(true);
        view_.BusyClose();
        if (!cloud)
            core::showMessage(core::MessageKind::Information, Framed(QStringLiteral("データ送信処理が終了しました。")), core::mbYes);
        return 0;
    };

    int result = 1;
    std::exception_ptr failure;
    try {
        result = run();
    } catch (...) {
        failure = std::current_exception();
    }
    // End steps on every way out.
    view_.SetDialogEnabled(true);
    view_.SetBusyCursor(false);
    view_.StepWindowClose();
    DeleteWorkFiles(files);
    if (cloud && checkedOut) {
        // The line is still checked out: release it. Its failure passes on, after the end
        // steps above, unless another failure is already on its way.
        if (!failure)
            SetCloudShareFlag(folderNumber, 1);
        else
            try {
                SetCloudShareFlag(folderNumber, 1);
            } catch (...) {
            }
    }
    if (failure)
        std::rethrow_exception(failure);
    return result;
}

} // namespace communication
