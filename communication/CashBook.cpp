// The exchange with the cash-book product through the relay server's folders 01 to 03.
#include "communication/CommArchive.h"
#include "communication/DataTusinCtl.h"
#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "core/Globals.h"
#include "core/ui/MessageService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace communication {

bool TDataTusinCtl::CashBookSend()
{
    const int folder = (SyoriType == stAutoSend || SyoriType == stCashBookSideSend) ? 1 : (SyoriType == stMasterSend ? 3 : 2);
    const QString folderText = FolderText(folder);
    const TArchiveFiles files = ArchiveFiles(false, false);
    const QStringList captions{QStringLiteral("送信用データ保存"), QStringLiteral("送信用データ圧縮"), QStringLiteral("送信用データ暗号化"),
                               QStringLiteral("中継サーバーへデータ送信"), QString()};
    const auto stepRun = [&](int box) { view_.StepWindowSet(box, StepState::Running, captions[box - 1] + QStringLiteral("　実行中")); };
    const auto stepDone = [&](int box) { view_.StepWindowSet(box, StepState::Finished, captions[box - 1] + QStringLiteral("　終了")); };

    const auto run = [&]() -> bool {
        view_.SetBusyCursor(true);
        view_.StepWindowOpen(captions, QString());
        stepRun(1);
        StepPause();
        view_.SetDialogEnabled(false);
        if (SyoriType == stMasterSend) {
            auto sender = Factories.NewCashBookSender();
            sender->SetSendKind(0);
            sender->SetSendMode(0);
            sender->Execute();
            if (sender->GetSyoriResult() < 1) {
                view_.BusyClose();
                ShowNetError(Framed(QStringLiteral("データセンダーエラー1")));
                return false;
            }
        }
        if (!QDir().mkpath(files.Folder)) {
            view_.BusyClose();
            ShowLocalError(Framed(QStringLiteral("送信用フォルダの作成に失敗しました。")));
            return false;
        }
        if (!DeleteOld(files.Backup)) {
            view_.BusyClose();
            ShowLocalError(QStringLiteral("旧バックアップファイルが削除出来ません。"));
            return false;
        }
        if (!SaveForSend(true))
            return false;
        stepDone(1);
        stepRun(2);
        StepPause();
        if (StepFailed(PackArchive(files, {QStringLiteral("圧縮失敗"), Framed(QStringLiteral("圧縮失敗"))}, [this] { StepPause(); })))
            return false;
        stepDone(2);
        stepRun(3);
        if (StepFailed(EncipherArchive(files, CashBookPassword())))
            return false;
        stepDone(3);
        stepRun(4);
        StepPause();
        if (!QFileInfo::exists(files.Wen)) {
            view_.BusyClose();
            ShowLocalError(Framed(QStringLiteral("暗号化ファイルが見つかりません。")));
            return false;
        }
        if (StepFailed(PutFailure(PutArchive(ServerInfo[kServerInfoFtpHost], CashBookId(), ServerInfo[kServerInfoFtpPassword],
                                             QStringLiteral("/") + folderText, files.ServerName, files.Wen, [this] { StepPause(); }))))
            return false;
        const core::TACCINF& acc = core::AccInf;
        TRelayRequest done(QStringLiteral("1810"), ServerInfo[kServerInfoSerial], CashBookId());
        done.Plain("fSname", folderText).Encoded("fSg", EncodeRequestName(acc.SHOUGOU));
        done.Plain("fNe", QString::number(acc.NENDO)).Plain("fKis", DayKey(acc.KISHU)).Plain("fKie", DayKey(acc.KIMATU));
        done.Plain("fPa", CashBookPassword()).Plain("fYobi", QString::asprintf("%2.2d%2.2d", acc.DataMajor, acc.DataMinor1));
        std::optional<TRelayReply> reply;
        try {
            reply.emplace(Exchange(done.Target()));
        } catch (const std::exception&) {
            view_.BusyClose();
            ShowNetError(Framed(QStringLiteral("サーバーに接続出来ません。(完了処理)")));
            return false;
        }
        try {
            const QString code = ResultCode(reply->Line(6));
            if (code != QStringLiteral("000")) {
                view_.BusyClose();
                ShowNetError(Framed(QStringLiteral("サーバーエラー(") + code + QLatin1Char(')')));
                return false;
            }
        } catch (const std::exception&) {
            view_.BusyClose();
            ShowNetError(Framed(QStringLiteral("送信エラー")));
            return false;
        }
        stepDone(4);
        view_.BusyClose();
        if (SyoriType != stMasterSend) {
            auto sender = Factories.NewCashBookSender();
            sender->SetSendKind(1);
            sender->SetSendMode(1);
            sender->Execute();
            if (sender->GetSyoriResult() < 1) {
                ShowNetError(Framed(QStringLiteral("データセンダーエラー2")));
                return false;
            }
        }
        return true;
    };

    bool result = false;
    std::exception_ptr failure;
    try {
        result = run();
    } catch (...) {
        failure = std::current_exception();
    }
    view_.StepWindowClose();
    view_.SetDialogEnabled(true);
    view_.SetBusyCursor(false);
    DeleteWorkFiles(files);
    if (failure)
        std::rethrow_exception(failure);
    return result;
}

bool TDataTusinCtl::CashBookReceive(int kind)
{
    LoaderRefused = 0;
    const QString folderText = FolderText(kind + 1);
    const TArchiveFiles files = ArchiveFiles(false, true);
    const QString takeInDb = core::SystemDef.TempDir + QStringLiteral("/qmacc.fdb");
    const QStringList captions{QStringLiteral("中継サーバーからデータ受信"), QStringLiteral("受信データ暗号解読"),
                               QStringLiteral("受信データ圧縮解凍"), QStringLiteral("受信データ復元・照合"), QString()};
    const auto stepRun = [&](int box) { view_.StepWindowSet(box, StepState::Running, captions[box - 1] + QStringLiteral("　実行中")); };
    const auto stepDone = [&](int box, const QString& caption) { view_.StepWindowSet(box, StepState::Finished, caption + QStringLiteral("　終了")); };

    const auto run = [&]() -> bool {
        view_.SetBusyCursor(true);
        view_.StepWindowOpen(captions, QString());
        stepRun(1);
        StepPause();
        view_.SetDialogEnabled(false);
        if (!QDir().mkpath(files.Folder)) {
            view_.BusyClose();
            ShowLocalError(QStringLiteral("受信用フォルダの作成に失敗しました。"));
            return false;
        }
        if (StepFailed(GetFailure(GetArchive(ServerInfo[kServerInfoFtpHost], CashBookId(), ServerInfo[kServerInfoFtpPassword],
                                             QStringLiteral("/") + folderText + QLatin1Char('/') + files.ServerName, files.Wen))))
            return false;
        stepDone(1, captions[0]);
        stepRun(2);
        StepPause();
        if (StepFailed(DecipherArchive(files, CashBookPassword())))
            return false;
        stepDone(2, captions[1]);
        stepRun(3);
        StepPause();
        if (StepFailed(UnpackArchive(files)))
            return false;
        stepDone(3, captions[2]);
        stepRun(4);
        StepPause();
        if (!QFileInfo::exists(files.Backup)) {
            view_.BusyClose();
            ShowLocalError(Framed(QStringLiteral("解凍ファイルが見つかりません。")));
            return false;
        }
        if (!RestoreReceived())
            return false;
        stepDone(4, QStringLiteral("受信データ復元"));
        StepPause();
        view_.BusyClose();

        bool takenIn = false;
        try {
            auto loader = Factories.NewCashBookLoaderBox();
            loader->SetReceiveDataFile(takeInDb);
            loader->SetReceiveKind(kind == 0 ? 0 : 1);
            loader->SetMergeMode(kind == 2 ? 0 : 1);
            int result = 0;
            if (kind == 0) {
                // Closed without taking in: the data stays on the server (False).
                if (loader->ShowModal() == core::mrOk)
                    result = loader->GetSyoriResult();
            } else {
                loader->ExecuteSilent();
                result = loader->GetSyoriResult();
            }
            takenIn = result == 1;
            if (!takenIn)
                LoaderRefused = 1;
        } catch (const std::exception&) {
            ShowNetError(Framed(QStringLiteral("出納帳データローダーエラー")));
        }
        QFile::remove(takeInDb);
        return takenIn;
    };

    bool result = false;
    std::exception_ptr failure;
    try {
        result = run();
    } catch (...) {
        failure = std::current_exception();
    }
    if (SyoriType == stAutoReceive || SyoriType == stCashBookSideReceive) {
        try {
            ClearCloudLine(false);
        } catch (...) {
        }
    }
    QFile::remove(takeInDb);
    view_.SetDialogEnabled(true);
    view_.SetBusyCursor(false);
    view_.StepWindowClose();
    DeleteWorkFiles(files);
    if (failure)
        std::rethrow_exception(failure);
    return result;
}

} // namespace communication
