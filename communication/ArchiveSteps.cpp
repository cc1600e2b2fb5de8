#include "communication/ArchiveSteps.h"

#include "communication/DataTusinCtl.h"
#include "communication/EscKeyHook.h"
#include "core/ui/MessageService.h"
#include "platform/FileCipher.h"
#include "platform/Unlha.h"

#include <QFileInfo>

namespace communication {

namespace {

const QString kVirusHint = QStringLiteral("送信処理に失敗しました。ウイルス対策ソフトを実行中の場合は、終了してから再度送信を行ってください。");

TStepFailure Local(const QString& text)
{
    return {TStepFailure::LocalError, text};
}

TStepFailure Net(const QString& text)
{
    return {TStepFailure::NetError, text};
}

QString Quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

void ReportStepFailure(const TStepFailure& failure)
{
    switch (failure.kind) {
    case TStepFailure::Silent:
        break;
    case TStepFailure::LocalError:
        ShowLocalError(failure.text);
        break;
    case TStepFailure::NetError:
        ShowNetError(failure.text);
        break;
    case TStepFailure::Warning:
        core::showMessage(core::MessageKind::Warning, failure.text);
        break;
    }
}

TStepResult PackArchive(const TArchiveFiles& files, const TPackTexts& texts, const std::function<void()>& pause)
{
    EscKeyHook hook;
    try {
        if (!DeleteOld(files.Lzh))
            return Local(QStringLiteral("旧圧縮ファイルが削除出来ません。"));
        if (!QFileInfo::exists(files.Backup))
            return Local(Framed(QStringLiteral("バックアップファイルが見つかりません。")));
        if (platform::Unlha(QStringLiteral("a ") + Quoted(files.Lzh) + QLatin1Char(' ') + Quoted(files.Backup)) != 0)
            return Local(texts.refused);
        pause();
        if (QFileInfo::exists(files.Lzh) && platform::UnlhaCheckArchive(files.Lzh, 2) == 0)
            return Local(kVirusHint);
    } catch (const std::exception&) {
        return Local(texts.threw);
    }
    return std::nullopt;
}

TStepResult EncipherArchive(const TArchiveFiles& files, const QString& password)
{
    if (!QFileInfo::exists(files.Lzh))
        return Local(Framed(QStringLiteral("圧縮ファイルが見つかりません。")));
    if (!DeleteOld(files.Wen))
        return Local(QStringLiteral("旧ワークファイルが削除出来ません。"));
    try {
        platform::EncryptFile(files.Lzh, files.Wen, ArchivePassPhrase(password));
    } catch (const std::exception&) {
        return Local(Framed(QStringLiteral("暗号失敗")));
    }
    return std::nullopt;
}

TStepResult DecipherArchive(const TArchiveFiles& files, const QString& password)
{
    if (!QFileInfo::exists(files.Wen))
        return Local(Framed(QStringLiteral("受信ファイルが見つかりません。")));
    if (!DeleteOld(files.Lzh))
        return Local(QStringLiteral("旧圧縮ファイルが削除出来ません。"));
    try {
        platform::DecryptFile(files.Wen, files.Lzh, ArchivePassPhrase(password));
    } catch (const std::exception&) {
        return Local(Framed(QStringLiteral("暗号解読失敗")));
    }
    return std::nullopt;
}

TStepResult UnpackArchive(const TArchiveFiles& files)
{
    EscKeyHook hook;
    if (!QFileInfo::exists(files.Lzh))
        return Local(Framed(QStringLiteral("解読ファイルが見つかりません。")));
    if (!DeleteOld(files.Backup))
        return Local(QStringLiteral("旧復元ファイルが削除出来ません。"));
    try {
        // The archiver reports its own refusal.
        if (platform::Unlha(QStringLiteral("e ") + Quoted(files.Lzh) + QLatin1Char(' ') + Quoted(files.Folder + QLatin1Char('/'))) != 0)
            return TStepFailure{};
    } catch (const std::exception&) {
        return Local(Framed(QStringLiteral("解凍失敗")));
    }
    return std::nullopt;
}

TStepResult PutFailure(PutResult result)
{
    switch (result) {
    case PutResult::Done:
        return std::nullopt;
    case PutResult::ConnectFailed:
        return Net(Framed(QStringLiteral("サーバーの接続に失敗しました。")));
    case PutResult::FolderMissing:
        return Net(Framed(QStringLiteral("転送先のディレクトリが存在しません。")));
    case PutResult::TransferFailed:
        return Net(Framed(QStringLiteral("データの送信に失敗しました。")));
    case PutResult::SizeMismatch:
        return Local(kVirusHint);
    }
    return std::nullopt;
}

TStepResult GetFailure(GetResult result)
{
    switch (result) {
    case GetResult::Done:
        return std::nullopt;
    case GetResult::ConnectFailed:
        return Net(Framed(QStringLiteral("サーバーの接続に失敗しました。")));
    case GetResult::NoFile:
        return TStepFailure{TStepFailure::Warning, Framed(QStringLiteral("ダウンロードファイルが見つかりません。"))};
    case GetResult::TransferFailed:
        return TStepFailure{}; // the receive ends without a message
    }
    return std::nullopt;
}

} // namespace communication
