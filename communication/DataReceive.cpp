// The receive of a communication archive from a relay folder or the cloud-share line, its
// unpacking and the restore over the data set, and the consolidation setting kept across it.
#include "communication/CommArchive.h"
#include "communication/DataTusinCtl.h"
#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/dm/TDM.h"
#include "core/ui/MessageService.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace communication {

int TDataTusinCtl::ReceiveData()
{
    const bool cloud = IsCloud();
    const int row = cloud ? core::AccInf.CLOUD_LINE - 1 : view_.SelectedRow();
    if (row < 0 || row > 9)
        return 1;
    const QString folderText = FolderText(row + 1);
    if (!cloud) {
        if (Cells[row][1].trimmed().isEmpty()) {
            core::showMessage(core::MessageKind::Information, Framed(QStringLiteral("選択したフォルダには、データは存在しません。")), core::mbYes);
            return 1;
        }
        if (ServerInfo[120 + row] != core::AccInf.PASWORD) {
            core::showMessage(core::MessageKind::Warning,
                              Framed(QStringLiteral("選択したデータと現在利用中のデータではパスワードが一致しません。")), core::mbYes);
            return 1;
        }
        if (core::showMessage(core::MessageKind::Confirmation,
                              Framed(QStringLiteral("受信処理を開始します。現在利用中のデータが中継サーバーのデータで上書きされます。実行しますか？")),
                              core::mbYesNo) != core::mrYes)
            return 1;
        view_.SetExecuteKeysEnabled(false, false);
    } else if (ServerInfo[120 + row] != core::AccInf.PASWORD) {
        core::showMessage(core::MessageKind::Warning,
                          Framed(QStringLiteral("クラウドデータと現在利用中のデータではパスワードが一致しません。")), core::mbYes);
        return 1;
    }

    const TArchiveFiles files = ArchiveFiles(cloud, true);
    bool checkedOut = false;
    bool succeeded = false;
    const QStringList captions{cloud ? QStringLiteral("クラウドからデータ受信") : QStringLiteral("中継サーバーからデータ受信"),
                               QStringLiteral("受信データ暗号解読"), QStringLiteral("受信データ圧縮解凍"), QStringLiteral("受信データ復元・照合"),
                               QString()};
    const auto stepRun = [&](int box) { view_.StepWindowSet(box, StepState::Running, captions[box - 1] + QStringLiteral("　実行中")); };
    const auto stepDone = [&](int box, const QString& caption) { view_.StepWindowSet(box, StepState::Finished, caption + QStringLiteral("　終了")); };

    const auto run = [&]() -> int {
        view_.SetBusyCursor(true);
        if (core::ConnectMode == 0) {
            GassanKbn.clear();
            GassanCount.clear();
            ReadGassanSetting();
        }
        view_.StepWindowOpen(captions, cloud ? WaitCaption : QString());
        stepRun(1);
        StepPause();
        view_.SetDialogEnabled(false);
        view_.SetExecuteKeysEnabled(false, false);
        if (!QDir().mkpath(files.Folder)) {
            view_.BusyClose();
            ShowLocalError(Framed(QStringLiteral("受信用フォルダの作成に失敗しました。")));
            return 1;
        }
        if (cloud) {
            TRelayRequest request(QStringLiteral("1833"), ServerInfo[kServerInfoSerial], CommunicationId());
            request.Plain("fSname", folderText).Encoded("fOpName", OpNameEnc).Encoded("fPcName", PcNameEnc);
            std::optional<TRelayReply> reply;
            try {
                reply.emplace(Exchange(request.Target()));
            } catch (const std::exception&) {
                view_.BusyClose();
                ShowNetError(Framed(QStringLiteral("サーバーに接続出来ません。(受信開始処理)")));
                return 1;
            }
            checkedOut = true; // the request reached the server: release the line unless the receive succeeds
            try {
                if (reply->Line(5).size() < 11)
                    return 1;
                LineTime[0] = SeparatedTimeText(ValueFrom(reply->Line(5), 8));
                SrvTime = TimeOfText(LineTime[0]);
                const QString code = ResultCode(reply->Line(6));
                if (code != QStringLiteral("000")) {
                    view_.BusyClose();
                    ShowNetError(Framed(QStringLiteral("受信開始処理サーバーエラー(") + code + QLatin1Char(')')));
                    return 1;
                }
            } catch (const std::exception&) {
                view_.BusyClose();
                ShowNetError(Framed(QStringLiteral("受信開始処理エラー")));
                return 1;
            }
        }
        if (!DeleteOld(files.Wen)) {
            view_.BusyClose();
            ShowLocalError(QStringLiteral("旧ワークファイルが削除出来ません。"));
            return 1;
        }
        const QString user = CommunicationId();
        if (StepFailed(GetFailure(GetArchive(ServerInfo[kServerInfoFtpHost], user, ServerInfo[kServerInfoFtpPassword],
                                             QStringLiteral("/") + folderText + QLatin1Char('/') + files.ServerName, files.Wen))))
            return 1;

        stepDone(1, captions[0]);
        stepRun(2);
        StepPause();
        if (StepFailed(DecipherArchive(files, core::AccInf.PASWORD)))
            return 1;

        stepDone(2, captions[1]);
        stepRun(3);
        StepPause();
        if (StepFailed(UnpackArchive(files)))
            return 1;
        view_.SetBusyCursor(true);

        stepDone(3, captions[2]);
        stepRun(4);
        StepPause();
        if (!QFileInfo::exists(files.Backup)) {
            view_.BusyClose();
            ShowLocalError(Framed(QStringLiteral("解凍ファイルが見つかりません。")));
            return 1;
        }
        if (!RestoreReceived())
            return 1;
        stepDone(4, QStringLiteral("受信データ復元"));
        StepPause();
        view_.SetNotTopmost(true);
        view_.BusyClose();

        // The consolidation setting: the received data keep theirs only where the Part's rules say so.
        if (SyoriType == stCloudReceiveNew) {
            dataFolderOverride_ = core::SystemDef.TempDir + QStringLiteral("/receive");
            dataHostOverride_ = QStringLiteral("127.0.0.1");
        }
        struct Reset {
            TDataTusinCtl& c;
            ~Reset() { c.dataFolderOverride_.clear(); c.dataHostOverride_.clear(); }
        } reset{*this};
        if (core::ConnectMode != 0) {
            GassanKbn = QStringLiteral("0");
            GassanCount = QStringLiteral("0");
            WriteGassanSetting();
        } else if (!GassanKbn.isEmpty()) {
            if (GassanKbn == QStringLiteral("1") || GassanKbn == QStringLiteral("2") || GassanKbn == QStringLiteral("10")) {
                WriteGassanSetting();
            } else if (GassanKbn == QStringLiteral("0")) {
                ReadGassanSetting();
                if (GassanKbn == QStringLiteral("10")) {
                    GassanKbn = QStringLiteral("0");
                    GassanCount = QStringLiteral("0");
                    WriteGassanSetting();
                }
            }
        }

        core::TDM& dm = core::RequireDM();
        if (dm.IBTransactionDEF.inTransaction())
            dm.IBTransactionDEF.commit();
        view_.StepWindowClose();

        if (!cloud) {
            TRelayRequest done(QStringLiteral("1830"), ServerInfo[kServerInfoSerial], CommunicationId());
            done.Plain("fSname", folderText);
            std::optional<TRelayReply> reply;
            try {
                reply.emplace(Exchange(done.Target()));
            } catch (const std::exception&) {
                ShowNetError(Framed(QStringLiteral("サーバーに接続出来ません。(完了処理)")));
                return 1;
            }
            try {
                const QString value = ValueFrom(reply->Line(5), 8);
                ServerInfo[100 + row] = CompactTimeText(value).left(16);
                ServerInfo[110 + row] = core::EraDisplayOn()
                                            ? core::FormatDateText(QStringLiteral("yy/mm/dd"), 2, core::StrToDateFixed(ServerInfo[100 + row].left(10)), true)
                                                  + QLatin1Char(' ') + ServerInfo[100 + row].mid(11, 5)
                                            : ServerInfo[100 + row];
                Cells[row][5] = ServerInfo[110 + row];
                const QString code = ResultCode(reply->Line(6));
                if (code != QStringLiteral("000")) {
                    ShowNetError(Framed(QStringLiteral("完了処理サーバーエラー(") + code + QLatin1Char(')')));
                    return 1;
                }
            } catch (const std::exception&) {
                ShowNetError(Framed(QStringLiteral("受信完了処理エラー")));
                return 1;
            }
        } else if (SyoriType == stCloudReceive && !SetCloudTime(SrvTime)) {
            ShowNetError(QStringLiteral("ローカルデータの最終更新日付更新エラー"));
            return 1;
        }
        succeeded = true;
        if (!cloud)
            core::showMessage(core::MessageKind::Information, Framed(QStringLiteral("データ受信処理が終了しました。")), core::mbYes);
        return 0;
    };

    int result = 1;
    std::exception_ptr failure;
    try {
        result = run();
    } catch (...) {
        failure = std::current_exception();
    }
    view_.SetDialogEnabled(true);
    view_.SetExecuteKeysEnabled(true, true);
    view_.SetBusyCursor(false);
    view_.StepWindowClose();
    DeleteWorkFiles(files);
    if (cloud && checkedOut && !succeeded) {
        if (!failure)
            SetCloudShareFlag(row + 1, 1);
        else
            try {
                SetCloudShareFlag(row + 1, 1);
            } catch (...) {
            }
    }
    if (failure)
        std::rethrow_exception(failure);
    return result;
}

} // namespace communication
