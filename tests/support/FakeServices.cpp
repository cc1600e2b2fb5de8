#include "tests/support/FakeServices.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <stdexcept>

namespace testsupport {

namespace {

void MakeCertificate(const QString& dir, const QString& name)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                   QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-keyout"), dir + QLatin1Char('/') + name + QStringLiteral(".key"),
                   QStringLiteral("-out"), dir + QLatin1Char('/') + name + QStringLiteral(".pem"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (!openssl.waitForFinished(20000) || openssl.exitCode() != 0)
        throw std::runtime_error("openssl could not make a test certificate: "
                                 + openssl.readAllStandardError().toStdString());
}

} // namespace

FakeServices::FakeServices()
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder for the fake services");
    const QString d = dir_.path();
    MakeCertificate(d, QStringLiteral("good"));
    MakeCertificate(d, QStringLiteral("bad"));
    CaFile = d + QStringLiteral("/good.pem");

    // Debian's own interpreter: python3-pyftpdlib is installed for it.
    process_.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral(TAXLINK_FAKE_SERVICES), QStringLiteral("--cert"), CaFile,
                    QStringLiteral("--key"), d + QStringLiteral("/good.key"),
                    QStringLiteral("--bad-cert"), d + QStringLiteral("/bad.pem"),
                    QStringLiteral("--bad-key"), d + QStringLiteral("/bad.key"),
                    QStringLiteral("--root"), d + QStringLiteral("/ftp"),
                    QStringLiteral("--log"), d + QStringLiteral("/requests.log")});
    if (!process_.waitForStarted(5000))
        throw std::runtime_error("the fake services did not start");
    QByteArray line;
    while (!line.contains('\n')) {
        if (!process_.waitForReadyRead(10000))
            throw std::runtime_error("the fake services did not get ready: "
                                     + process_.readAllStandardError().toStdString());
        line += process_.readAllStandardOutput();
    }
    const QList<QByteArray> words = line.trimmed().split(' ');
    if (words.size() != 3 || words[0] != "READY")
        throw std::runtime_error("the fake services said: " + line.toStdString());
    HttpsPort = words[1].toInt();
    FtpPort = words[2].toInt();
}

FakeServices::~FakeServices()
{
    process_.closeWriteChannel();
    if (!process_.waitForFinished(5000))
        process_.kill();
    process_.waitForFinished(1000);
}

core::net::TNetSettings FakeServices::Settings() const
{
    core::net::TNetSettings s;
    s.RelayServer = QStringLiteral("127.0.0.1");
    s.RelayPort = HttpsPort;
    s.ProductSerial = QStringLiteral("TX0001");
    s.CaFile = CaFile;
    s.FtpPort = FtpPort;
    s.ConnectTimeout = 2;
    s.RequestTimeout = 2;
    return s;
}

void FakeServices::Command(const QString& line)
{
    process_.write(line.toLatin1() + '\n');
    process_.waitForBytesWritten(2000);
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (!process_.waitForReadyRead(5000))
            throw std::runtime_error("the fake services did not confirm " + line.toStdString());
        answer += process_.readAllStandardOutput();
    }
}

QStringList FakeServices::LoggedRequests() const
{
    QFile log(dir_.path() + QStringLiteral("/requests.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray& line : log.readAll().split('\n')) {
        if (!line.isEmpty())
            lines << QString::fromLatin1(line);
    }
    return lines;
}

QString FakeServices::FtpPassword(const QString& id)
{
    return QStringLiteral("F") + QString::fromLatin1(
        QCryptographicHash::hash("ftp:" + id.toLatin1(), QCryptographicHash::Sha1).toHex().left(10));
}

QString FakeServices::ServerFile(const QString& id, const QString& path) const
{
    const QString home = QString::fromLatin1(QCryptographicHash::hash(id.toLatin1(), QCryptographicHash::Sha1).toHex().left(16));
    return dir_.path() + QStringLiteral("/ftp/") + home + path;
}

} // namespace testsupport
