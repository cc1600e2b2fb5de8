#pragma once
// Internal to the service classes (IBServices.cpp): one attachment to a Firebird service manager
// and the reading of its output. Not part of the public database layer.

#include "core/db/FbStatus.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace core {
class ParamBlock;
}

namespace core::service {

// What one read of service output brought.
struct OutputPoll {
    bool hasLine = false; // a line (possibly empty) was read
    QString line;
    bool finished = false; // the service has ended and all output was read
};

// Where a service manager is and the parameter lines ("user_name=...", "password=...") that
// attach to it, and to the databases it works on.
struct ServiceAddress {
    QString serviceName;    // "host:service_mgr" or "service_mgr"
    QString databasePrefix; // "host:" for the server, empty for the embedded engine
    QStringList params;
};

class ServiceSession {
public:
    explicit ServiceSession(const ServiceAddress& address);
    ~ServiceSession();
    ServiceSession(const ServiceSession&) = delete;
    ServiceSession& operator=(const ServiceSession&) = delete;

    void start(const ParamBlock& request);

    // Reads one line of output, waiting for it or for the end of the service.
    OutputPoll readLine();

    // Raw answer to an information request.
    QByteArray query(const QByteArray& items);

private:
    FbRef<Firebird::IService> service_;
};

// An integer of 1 to 4 bytes, low byte first, as service answers carry them.
unsigned answerInteger(const char* bytes, int length);

} // namespace core::service
