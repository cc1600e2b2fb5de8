#include "cloudexchange/analysis/FtpWebDbSqlDump.h"

#include "core/Globals.h"
#include "core/files/FileHelpers.h"
#include "core/files/FolderTree.h"
#include "core/net/FtpSession.h"
#include "core/net/HttpsGet.h"
#include "core/settings/AccReg.h"
#include "core/settings/SettingTypes.h"
#include "platform/Cp932.h"
#include "platform/ZipWithDll.h"

#include <QFile>
#include <QFileInfo>

#include <exception>
#include <utility>

namespace cloudexchange {

const char* const TFtpWebDbSqlDump::kZipPassword = "Nlsmoy0645";

namespace {

const QString kOk = QStringLiteral("000");
const QString kMeetingGroup = QStringLiteral("ＷＥＢ会議設定");

bool below802() {
    const core::TACCINF& a = core::AccInf;
    return !(a.DataMajor > 8 || (a.DataMajor == 8 && a.DataMinor1 != 0) ||
             (a.DataMajor == 8 && a.DataMinor1 == 0 && a.DataMinor2 >= 2));
}

} // namespace

QByteArray EncodeRequestValue(const QString& text) { return platform::toCp932(text).toPercentEncoding(); }

QString MeetingDateText(const QDateTime& date) {
    return QStringLiteral("%1月%2日　%3：%4")
        .arg(date.date().month())
        .arg(date.date().day())
        .arg(date.time().hour(), 2, 10, QLatin1Char('0'))
        .arg(date.time().minute(), 2, 10, QLatin1Char('0'));
}

TFtpWebDbSqlDump::TFtpWebDbSqlDump() : ServiceHost(core::AppInfo.WebZebrikServer) {}

TFtpWebDbSqlDump::~TFtpWebDbSqlDump() = default;

int TFtpWebDbSqlDump::Pack(const QString& options, const QString& zipPath, const QString& sourcePath) {
    return platform::ZipWithDll(options, zipPath, sourcePath);
}

QString TFtpWebDbSqlDump::UploadDump(const QString& communicationId, int dataNumber) {
    CommunicationId = communicationId;
    CommunicationId.remove(QLatin1Char('-'));
    DataNumber = dataNumber;
    DatabaseName = QStringLiteral("zebrik_d_%1_%2").arg(CommunicationId).arg(dataNumber);
    StatusCode = kOk;
    FtpHost.clear();
    FtpPassword.clear();
    bool dumpKnown = false;
    std::exception_ptr pending;
    try {
        run(dumpKnown);
    } catch (...) {
        // Only the dump writer's error for a file it cannot create gets here.
        pending = std::current_exception();
    }
    // Final step, always: the FTP session has ended with its object; the dump goes, the ZIP
    // file stays until the next upload.
    if (dumpKnown && QFileInfo::exists(Dump.DumpPath))
        QFile::remove(Dump.DumpPath);
    if (pending)
        std::rethrow_exception(pending);
    return StatusCode;
}

void TFtpWebDbSqlDump::readMeetingSettings() {
    MeetingOn = core::funcGetAccReg(kMeetingGroup, QStringLiteral("ＷＥＢ会議を行う"), core::kTypeSeisuu, QStringLiteral("0")).toInt();
    MeetingUrl = core::funcGetAccReg(kMeetingGroup, QStringLiteral("ＵＲＬ"), core::kTypeMoji, QString()).toString().trimmed();
    MeetingDateKind =
        core::funcGetAccReg(kMeetingGroup, QStringLiteral("開催日時を指定"), core::kTypeSeisuu, QStringLiteral("0")).toInt();
    MeetingDate = core::funcGetAccReg(kMeetingGroup, QStringLiteral("開催日時"), core::kTypeNichiji, QStringLiteral("0.0"))
                      .toDateTime();
}

void TFtpWebDbSqlDump::run(bool& dumpKnown) {
    readMeetingSettings();
    HeaderList.clear();
    if (CommunicationId.isEmpty()) {
        StatusCode = QStringLiteral("801");
        return;
    }
    if (DataNumber < 1 || DataNumber > 10) {
        StatusCode = QStringLiteral("802");
        return;
    }

    Dump.DatabaseName = DatabaseName;
    if (!MakeDumpFile()) {
        StatusCode = QStringLiteral("811");
        return;
    }
    dumpKnown = true;
    if (core::GetFileSizeByName(Dump.DumpPath) <= 0) {
        StatusCode = QStringLiteral("812");
        return;
    }

    const QString folder = QFileInfo(Dump.DumpPath).absolutePath();
    const QString zipPath = folder + QLatin1Char('/') + ZipFileName;
    if (QFileInfo::exists(zipPath))
        QFile::remove(zipPath);
    try {
        core::ForceFolder(folder);
        const int packed = Pack(QStringLiteral("-D -P %1 -q -j").arg(QLatin1String(kZipPassword)),
                                QLatin1Char('"') + zipPath + QLatin1Char('"'),
                                QLatin1Char('"') + Dump.DumpPath + QLatin1Char('"'));
        if (packed != 0) {
            StatusCode = QStringLiteral("813");
            return;
        }
    } catch (const std::exception&) {
        StatusCode = QStringLiteral("813");
    }
    if (qMax<qint64>(core::GetFileSizeByName(zipPath), 0) <= 22)
        StatusCode = QStringLiteral("814");
    if (StatusCode != kOk)
        return;

    if (!request(query("pmd=1000")))
        return;
    FtpHost = headerValue(QStringLiteral("X-Add"));
    FtpPassword = headerValue(QStringLiteral("X-Pas"));
    StatusCode = headerValue(QStringLiteral("X-Status"));
    if (StatusCode != kOk)
        return;

    {
        core::net::FtpSession ftp(FtpHost, CommunicationId, FtpPassword);
        const QString remoteFolder = QStringLiteral("%1").arg(DataNumber, 2, 10, QLatin1Char('0'));
        try {
            ftp.Connect();
        } catch (const core::net::NetError&) {
            StatusCode = QStringLiteral("821");
            return;
        }
        try {
            ftp.CheckFolder(remoteFolder);
        } catch (const core::net::NetError&) {
            StatusCode = QStringLiteral("823");
            return;
        }
        try {
            ftp.Put(zipPath, remoteFolder + QLatin1Char('/') + ZipFileName);
        } catch (const core::net::NetError&) {
            StatusCode = QStringLiteral("824");
            return;
        }
        // The session is logged out when its object ends; libcurl reports no separate
        // logout failure, so status 822 does not occur.
    }

    DataVersionKey = below802() ? QStringLiteral("8.0.0")
                                : QStringLiteral("%1.%2.0").arg(core::AccInf.DataMajor).arg(core::AccInf.DataMinor1);
    QByteArray second = "pmd=1100";
    second += "&dno=" + QByteArray::number(DataNumber) + "&dvr=" + EncodeRequestValue(DataVersionKey) +
              "&fpa=" + EncodeRequestValue(QLatin1String(kZipPassword));
    if (MeetingOn == 1 && MeetingDateKind != 0) {
        second += "&meeting_url=" + EncodeRequestValue(MeetingUrl);
        second += "&meeting_date=" + (MeetingDateKind == 1 ? EncodeRequestValue(MeetingDateText(MeetingDate)) : QByteArray());
    }
    if (!request(query(second)))
        return;
    StatusCode = headerValue(QStringLiteral("X-Status"));
}

QByteArray TFtpWebDbSqlDump::query(const QByteArray& head) const {
    // "fnm" follows "pmd"; the rest of the keys come after it.
    const qsizetype amp = head.indexOf('&');
    const QByteArray pmd = amp < 0 ? head : head.left(amp);
    const QByteArray rest = amp < 0 ? QByteArray() : head.mid(amp);
    return pmd + "&fnm=" + EncodeRequestValue(CommunicationId) + rest;
}

bool TFtpWebDbSqlDump::request(const QByteArray& query) {
    const QByteArray url = "https://" + ServiceHost.toUtf8() + "/request.php?" + query;
    try {
        HeaderList = core::net::HttpsGet(url, "Tessaro").HeaderLines;
        return true;
    } catch (const core::net::NetError&) {
        HeaderList.clear();
        StatusCode = QStringLiteral("831");
        return false;
    }
}

QString TFtpWebDbSqlDump::headerValue(const QString& name) const {
    // Each header line is split at its first colon; a value keeps any colon of its own.
    for (const QString& line : HeaderList) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return QString();
}

QString TFtpWebDbSqlDump::StatusCodeMessage(const QString& code) {
    static const QHash<QString, QString> messages = {
        {QStringLiteral("000"), QStringLiteral("正常終了")},
        {QStringLiteral("001"), QStringLiteral("「vzaimu」データ無し")},
        {QStringLiteral("002"), QStringLiteral("「vzaimu」データより、認証不許可")},
        {QStringLiteral("003"), QStringLiteral("「FtpUsers」データ無し")},
        {QStringLiteral("801"), QStringLiteral("通信IDなし")},
        {QStringLiteral("802"), QStringLiteral("データリスト番号不正")},
        {QStringLiteral("811"), QStringLiteral("SQLDumpファイル作成失敗")},
        {QStringLiteral("812"), QStringLiteral("SQLDumpファイル作成失敗(結果0バイト)")},
        {QStringLiteral("813"), QStringLiteral("SQLDumpファイルZip圧縮失敗")},
        {QStringLiteral("814"), QStringLiteral("SQLDumpファイルZip圧縮失敗(結果0バイト)")},
        {QStringLiteral("821"), QStringLiteral("FTP コネクト失敗")},
        {QStringLiteral("822"), QStringLiteral("FTP ログアウト失敗")},
        {QStringLiteral("823"), QStringLiteral("FTP ディレクトリ移動失敗")},
        {QStringLiteral("824"), QStringLiteral("FTP アップロード失敗")},
        {QStringLiteral("825"), QStringLiteral("FTP ダウンロード失敗")},
        {QStringLiteral("831"), QStringLiteral("HTTP GET失敗")},
        {QStringLiteral("900"), QStringLiteral("ユーザーエージェント不正")},
        {QStringLiteral("901"), QStringLiteral("制御モード不明")},
        {QStringLiteral("902"), QStringLiteral("通信ID不明")},
        {QStringLiteral("903"), QStringLiteral("該当制御コード無し")},
        {QStringLiteral("911"), QStringLiteral("データ管理番号不正")},
        {QStringLiteral("912"), QStringLiteral("データバージョン不正")},
        {QStringLiteral("913"), QStringLiteral("データバージョン内容不正")},
        {QStringLiteral("921"), QStringLiteral("Zipオープン失敗")},
        {QStringLiteral("922"), QStringLiteral("Zip解凍パスワード失敗")},
        {QStringLiteral("923"), QStringLiteral("Zip展開失敗")},
        {QStringLiteral("924"), QStringLiteral("SQLDumpファイル不明")},
        {QStringLiteral("999"), QStringLiteral("サーバープログラム例外エラー")},
    };
    return messages.value(code, QStringLiteral("原因不明のエラー発生"));
}

} // namespace cloudexchange
