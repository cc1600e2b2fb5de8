#include "core/db/ServiceSession.h"

#include "core/db/ConnectionName.h"
#include "core/db/ParamBlock.h"

namespace core::service {

namespace {

// Answers to service queries: the engine takes the buffer length as 16 bits.
constexpr qsizetype kAnswerSize = 32000;

constexpr ParamName spbNames[] = {
    {"user_name", isc_spb_user_name},
    {"password", isc_spb_password},
};

} // namespace

unsigned answerInteger(const char* bytes, int length) {
    return unsigned(isc_portable_integer(reinterpret_cast<const ISC_UCHAR*>(bytes), short(length)));
}

ServiceSession::ServiceSession(const ServiceAddress& address) {
    ParamBlock spb(ParamBlock::Kind::ServiceAttach);
    addParamLines(spb, address.params, spbNames, isc::bad_spb_form);
    const QByteArray name = toNativeName(address.serviceName);
    service_.reset(fbCall([&](Firebird::ThrowStatusWrapper* st) {
        FbRef<Firebird::IProvider> provider(fbMaster()->getDispatcher());
        return provider->attachServiceManager(st, name.constData(), spb.length(), spb.data());
    }));
}

ServiceSession::~ServiceSession() {
    if (service_)
        endQuietly(service_.take(), [](Firebird::IService* s, Firebird::ThrowStatusWrapper* st) { s->detach(st); });
}

void ServiceSession::start(const ParamBlock& request) {
    fbCall([&](Firebird::ThrowStatusWrapper* st) { service_->start(st, request.length(), request.data()); });
}

OutputPoll ServiceSession::readLine() {
    // No isc_info_svc_timeout: Firebird 3 does not return when it expires, and with it set
    // notices the end of the service only a second or more late.
    const QByteArray answer = query(QByteArray(1, char(isc_info_svc_line)));

    OutputPoll poll;
    bool waiting = false; // the service still runs
    const char* p = answer.constData();
    const char* end = p + answer.size();
    while (p < end && *p != char(isc_info_end)) {
        const char item = *p++;
        if (item == char(isc_info_svc_line)) {
            const unsigned length = answerInteger(p, 2);
            poll.line = decodeServerText(QByteArray(p + 2, qsizetype(length)));
            poll.hasLine = true;
            p += 2 + length;
        } else if (item == char(isc_info_data_not_ready) || item == char(isc_info_truncated)) {
            waiting = true;
        } else {
            throw layerError(isc::bad_spb_form, QStringLiteral("サービスの応答に不明な項目 %1 があります。").arg(int(item)));
        }
    }
    // An empty line with nothing pending is the end of the output; an empty line while the
    // service still runs is either a blank line or no line yet.
    if (poll.hasLine && poll.line.isEmpty()) {
        poll.hasLine = false;
        poll.finished = !waiting;
    }
    return poll;
}

QByteArray ServiceSession::query(const QByteArray& items) {
    QByteArray answer(kAnswerSize, '\0');
    fbCall([&](Firebird::ThrowStatusWrapper* st) {
        service_->query(st, 0, nullptr, unsigned(items.size()), reinterpret_cast<const unsigned char*>(items.constData()),
                        unsigned(answer.size()), reinterpret_cast<unsigned char*>(answer.data()));
    });
    return answer;
}

} // namespace core::service
