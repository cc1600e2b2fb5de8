#pragma once
// The analysis-cloud upload: writes the SQL dump of the open company data set, packs it into a
// password-protected ZIP file, announces it to the service's web server over HTTPS, puts it by
// FTP into the folder of the chosen data number and confirms it with a second request. The
// result is a three-digit status; "000" means done.

#include "cloudexchange/analysis/WebDbSqlDump.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace cloudexchange {

class TFtpWebDbSqlDump {
public:
    TFtpWebDbSqlDump();
    virtual ~TFtpWebDbSqlDump();
    TFtpWebDbSqlDump(const TFtpWebDbSqlDump&) = delete;
    TFtpWebDbSqlDump& operator=(const TFtpWebDbSqlDump&) = delete;

    // Runs the whole upload and gives its status. Raises nothing, except the dump writer's
    // error for a dump file that cannot be created, which passes on after the final step.
    QString UploadDump(const QString& communicationId, int dataNumber);
    static QString StatusCodeMessage(const QString& code);

    TWebDbSqlDump Dump;
    QStringList HeaderList;     // raw header lines of the last reply
    QString ServiceHost;        // AppInfo WebZebrikServer (a host, or host:port)
    QString FtpHost;
    QString FtpPassword;
    QString StatusCode;
    QString CommunicationId;    // without "-"
    int DataNumber = 0;
    QString DatabaseName;
    QString ZipFileName = QStringLiteral("qmacc.zip");
    QString DataVersionKey;
    qint32 MeetingOn = 0;       // ＷＥＢ会議設定: ＷＥＢ会議を行う
    QString MeetingUrl;         // ＵＲＬ
    qint32 MeetingDateKind = 0; // 開催日時を指定
    QDateTime MeetingDate;      // 開催日時

    static const char* const kZipPassword;

protected:
    // The steps the tests replace: the dump and the packer.
    virtual bool MakeDumpFile() { return Dump.MakeDump(); }
    virtual int Pack(const QString& options, const QString& zipPath, const QString& sourcePath);

private:
    void run(bool& dumpKnown);
    void readMeetingSettings();
    QByteArray query(const QByteArray& head) const;
    // Sends the request and reads the reply headers; false (status 831) when it fails.
    bool request(const QByteArray& query);
    QString headerValue(const QString& name) const;
};

// The request value of a text: its CP932 bytes, percent-encoded but for the unreserved
// characters.
QByteArray EncodeRequestValue(const QString& text);

// "m月d日　hh：nn" of the meeting date.
QString MeetingDateText(const QDateTime& date);

} // namespace cloudexchange
