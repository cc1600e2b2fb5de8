// The exchange with the cash-book product through the relay server's folders 01 to 03.
#include "communication/CommArchive.h"
#include "communication/DataTusinCtl.h"
#include "communication/EscKeyHook.h"
#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "core/Globals.h"
#include "core/ui/MessageService.h"
#include "platform/FileCipher.h"
#include "platform/Unlha.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace communication {

namespace {

void LocalError(const QString& text)
{
    core::showMessage(core::MessageKind::Error, text, core::mbYes);
}

void NetError(const QString& text)
{
    core::showMessage(core::MessageKind::Error, text);
}

QString Quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

QString DayKey(const QDate& date)
{
    return date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("0000");
}

} // namespace

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
                NetError(Framed(QStringLiteral("データセンダーエラー1")));
                return false;
            }
        }
        if (!QDir().mkpath(files.Folder)) {
            view_.BusyClose();
            LocalError(Framed(QStringLiteral("送信用フォルダの作成に失敗しました。")));
            return false;
        }
        if (!DeleteOld(files.Backup)) {
            view_.BusyClose();
            LocalError(QStringLiteral("旧バックアップファイルが削除出来ません。"));
            return false;
        }
        if (!SaveForSend(true))
            return false;
        stepDone(1);
        stepRun(2);
        StepPause();
        {
            EscKeyHook hook;
            try {
                if (!DeleteOld(files.Lzh)) {
                    view_.BusyClose();
                    LocalError(QStringLiteral("旧圧縮ファイルが削除出来ません。"));
                    return false;
                }
                if (!QFileInfo::exists(files.Backup)) {
                    view_.BusyClose();
                    LocalError(Framed(QStringLiteral("バックアップファイルが見つかりません。")));
                    return false;
                }
                if (platform::Unlha(QStringLiteral("a ") + Quoted(files.Lzh) + QLatin1Char(' ') + Quoted(files.Backup)) != 0) {
                    view_.BusyClose();
                    LocalError(QStringLiteral("圧縮失敗"));
                    return false;
                }
                StepPause();
                if (QFileInfo::exists(files.Lzh) && platform::UnlhaCheckArchive(files.Lzh, 2) == 0) {
                    view_.BusyClose();
                    LocalError(QStringLiteral("送信処理に失敗しました。ウイルス対策ソフトを実行中の場合は、終了してから再度送信を行ってください。"));
                    return false;
                }
            } catch (const std::exception&) {
                view_.BusyClose();
                LocalError(Framed(QStringLiteral("圧縮失敗")));
                return false;
            }
        }
        stepDone(2);
        stepRun(3);
        if (!QFileInfo::exists(files.Lzh)) {
            view_.BusyClose();
            LocalError(Framed(QStringLiteral("圧縮ファイルが見つかりません。")));
            return false;
        }
        if (!DeleteOld(files.Wen)) {
            view_.BusyClose();
            LocalError(QStringLiteral("旧ワークファイルが削除出来ません。"));
            return false;
        }
        try {
            platform::EncryptFile(files.Lzh, files.Wen, ArchivePassPhrase(CashBookPassword()));
        } catch (const std::exception&) {
            view_.BusyClose();
            LocalError(Framed(QStringLiteral("暗号失敗")));
            return false;
        }
        stepDone(3);
        stepRun(4);
        StepPause();
        if (!QFileInfo::exists(files.Wen)) {
            view_.BusyClose();
            LocalError(Framed(QStringLiteral("暗号化ファイルが見つかりません。")));
            return false;
        }
        switch (PutArchive(ServerInfo[kServerInfoFtpHost], CashBookId(), ServerInfo[kServerInfoFtpPassword],
                           QStringLiteral("/") + folderText, files.ServerName, files.Wen, [this] { StepPause(); })) {
        case PutResult::Done:
            break;
        case PutResult::ConnectFailed:
            view_.BusyClose();
            NetError(Framed(QStringLiteral("サーバーの接続に失敗しました。")));
            return false;
        case PutResult::FolderMissing:
            view_.BusyClose();
            NetError(Framed(QStringLiteral("転送先のディレクトリが存在しません。")));
            return false;
        case PutResult::TransferFailed:
            view_.BusyClose();
            NetError(Framed(QStringLiteral("データの送信に失敗しました。")));
            return false;
        case PutResult::SizeMismatch:
            view_.BusyClose();
            LocalError(QStringLiteral("送信処理に失敗しました。ウイルス対策ソフトを実行中の場合は、終了してから再度送信を行ってください。"));
            return false;
        }
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
            NetError(Framed(QStringLiteral("サーバーに接続出来ません。(完了処理)")));
            return false;
        }
        try {
            const QString code = ResultCode(reply->Line(6));
            if (code != QStringLiteral("000")) {
                view_.BusyClose();
                NetError(Framed(QStringLiteral("サーバーエラー(") + code + QLatin1Char(')')));
                return false;
            }
        } catch (const std::exception&) {
            view_.BusyClose();
            NetError(Framed(QStringLiteral("送信エラー")));
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
                NetError(Framed(QStringLiteral("データセンダーエラー2")));
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
            LocalError(QStringLiteral("受信用フォルダの作成に失敗しました。"));
            return false;
        }
        switch (GetArchive(ServerInfo[kServerInfoFtpHost], CashBookId(), ServerInfo[kServerInfoFtpPassword],
                           QStringLiteral("/") + folderText + QLatin1Char('/') + files.ServerName, files.Wen)) {
        case GetResult::Done:
            break;
        case GetResult::ConnectFailed:
            view_.BusyClose();
            NetError(Framed(QStringLiteral("サーバーの接続に失敗しました。")));
            return false;
        case GetResult::NoFile:
            view_.BusyClose();
            core::showMessage(core::MessageKind::Warning, Framed(QStringLiteral("ダウンロードファイルが見つかりません。")));
            return false;
        case GetResult::TransferFailed:
            view_.BusyClose();
            return false;
        }
        stepDone(1, captions[0]);
        stepRun(2);
        StepPause();
        if (!QFileInfo::exists(files.Wen)) {
            view_.BusyClose();
            LocalError(Framed(QStringLiteral("受信ファイルが見つかりません。")));
            return false;
        }
        if (!DeleteOld(files.Lzh)) {
            view_.BusyClose();
            LocalError(QStringLiteral("旧圧縮ファイルが削除出来ません。"));
            return false;
        }
        try {
            platform::DecryptFile(files.Wen, files.Lzh, ArchivePassPhrase(CashBookPassword()));
        } catch (const std::exception&) {
            view_.BusyClose();
            LocalError(Framed(QStringLiteral("暗号解読失敗")));
            return false;
        }
        stepDone(2, captions[1]);
        stepRun(3);
        StepPause();
        {
            EscKeyHook hook;
            if (!QFileInfo::exists(files.Lzh)) {
                view_.BusyClose();
                LocalError(Framed(QStringLiteral("解読ファイルが見つかりません。")));
                return false;
            }
            if (!DeleteOld(files.Backup)) {
                view_.BusyClose();
                LocalError(QStringLiteral("旧復元ファイルが削除出来ません。"));
                return false;
            }
            try {
                if (platform::Unlha(QStringLiteral("e ") + Quoted(files.Lzh) + QLatin1Char(' ') + Quoted(files.Folder + QLatin1Char('/'))) != 0) {
                    view_.BusyClose();
                    return false;
                }
            } catch (const std::exception&) {
                view_.BusyClose();
                LocalError(Framed(QStringLiteral("解凍失敗")));
                return false;
            }
        }
        stepDone(3, captions[2]);
        stepRun(4);
        StepPause();
        if (!QFileInfo::exists(files.Backup)) {
            view_.BusyClose();
            LocalError(Framed(QStringLiteral("解凍ファイルが見つかりません。")));
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
            NetError(Framed(QStringLiteral("出納帳データローダーエラー")));
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
