#pragma once
// The test double of the relay service and its FTP server (fake_services.py) for a test
// suite: makes two certificates (one in the CA file, one outside it), starts the fake on
// 127.0.0.1, waits for its ports and hands out settings that point at it. Faults and "reset"
// go to its stdin. At the end stdin is closed (the fake exits) and, after 5 s, the process
// is killed.

#include "core/net/NetSettings.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

class FakeServices {
public:
    FakeServices(); // throws std::runtime_error when the fake does not start
    ~FakeServices();
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    // Relay server 127.0.0.1 with the fake's ports and CA file, time-outs of 2 seconds.
    core::net::TNetSettings Settings() const;
    // Sends one command line ("reset", "code 1720 920" …) and waits for its "OK".
    void Command(const QString& line);
    // The request lines logged since the last reset ("GET /request.php?... HTTP/1.0").
    QStringList LoggedRequests() const;
    // The FTP password that the fake's relay hands out for the ID.
    static QString FtpPassword(const QString& id);
    // Where the fake keeps the server file of an ID: path like "/03/qmacc.wen".
    QString ServerFile(const QString& id, const QString& path) const;

    int HttpsPort = 0;
    int FtpPort = 0;
    QString CaFile;

private:
    QTemporaryDir dir_;
    QProcess process_;
};

} // namespace testsupport
