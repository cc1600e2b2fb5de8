// The information request and the server information table it fills.
#include "communication/DataTusinCtl.h"
#include "communication/RelayReply.h"
#include "communication/RelayRequest.h"
#include "core/Globals.h"
#include "core/dates/DateTexts.h"
#include "core/modules/PzConv.h"
#include "core/ui/MessageService.h"

#include <optional>

namespace communication {

namespace {

// "yyyy/mm/dd hh:nn" of a block's time value (characters 1-4, 6-7, 9-10, 12-16).
QString Rewritten(const QString& v)
{
    return v.mid(0, 4) + QLatin1Char('/') + v.mid(5, 2) + QLatin1Char('/') + v.mid(8, 2) + QLatin1Char(' ') + v.mid(11, 5);
}

QString DisplayDate(const QString& rewritten, bool eraDisplay)
{
    if (!eraDisplay)
        return rewritten;
    return core::FormatDateText(QStringLiteral("yy/mm/dd"), 2, core::StrToDateFixed(rewritten.left(10)), true);
}

QString DisplayTime(const QString& rewritten, bool eraDisplay)
{
    if (!eraDisplay)
        return rewritten;
    return DisplayDate(rewritten, true) + QLatin1Char(' ') + rewritten.mid(11, 5);
}

} // namespace

void ReadServerInfo(TRelayReply& reply, bool cloud, bool eraDisplay, const QString& serial, TServerInfo& info,
                    std::array<QString, 11>& lineTime)
{
    TServerInfo fresh;
    std::array<QString, 11> times;
    fresh[kServerInfoSerial] = serial;
    fresh[kServerInfoFtpHost] = ValueFrom(reply.Next(), 8);
    fresh[kServerInfoFtpPassword] = ValueFrom(reply.Next(), 8);
    reply.Next();
    for (int k = 0; k < 10; ++k) {
        fresh[k] = ValueFrom(reply.Next(), 14);
        fresh[20 + k] = core::TxPzConv::DecodeBase64(ValueFrom(reply.Next(), 11));
        const bool filled = !fresh[20 + k].trimmed().isEmpty();
        const QString nendo = ValueFrom(reply.Next(), 11);
        const QString kishu = ValueFrom(reply.Next(), 12);
        const QString kimatu = ValueFrom(reply.Next(), 12);
        const QString sent = ValueFrom(reply.Next(), 11);
        const QString password = ValueFrom(reply.Next(), 11);
        const QString version = ValueFrom(reply.Next(), 13);
        const QString second = ValueFrom(reply.Next(), 11);
        QString state, operatorText, computer;
        if (cloud) {
            state = ValueFrom(reply.Next(), 14);
            operatorText = ValueFrom(reply.Next(), 15);
            computer = ValueFrom(reply.Next(), 15);
        }
        if (!filled)
            continue; // the lines are read all the same, so the next block starts in place
        fresh[30 + k] = nendo;
        fresh[40 + k] = Rewritten(kishu);
        fresh[50 + k] = DisplayDate(fresh[40 + k], eraDisplay);
        fresh[60 + k] = Rewritten(kimatu);
        fresh[70 + k] = DisplayDate(fresh[60 + k], eraDisplay);
        fresh[80 + k] = Rewritten(sent);
        fresh[90 + k] = DisplayTime(fresh[80 + k], eraDisplay);
        if (cloud)
            times[k + 1] = SeparatedTimeText(sent);
        fresh[120 + k] = password;
        fresh[130 + k] = version;
        if (cloud || sent.toLatin1() < second.toLatin1()) {
            fresh[100 + k] = Rewritten(second);
            fresh[110 + k] = second.startsWith(QStringLiteral("0000")) ? QStringLiteral("-")
                                                                       : DisplayTime(fresh[100 + k], eraDisplay);
        } else {
            fresh[110 + k] = QStringLiteral("-");
        }
        if (cloud) {
            fresh[140 + k] = state;
            if (state == QStringLiteral("2")) {
                fresh[150 + k] = core::TxPzConv::DecodeBase64(operatorText);
                fresh[160 + k] = core::TxPzConv::DecodeBase64(computer);
            }
        }
    }
    info = fresh;
    lineTime = times;
}

bool TDataTusinCtl::GetServerInfo()
{
    const QString serial = ServerInfo[kServerInfoSerial];
    const bool partner = core::EditionFlag == 1 || core::EditionFlag == 2;
    const bool relayId = SyoriType == stDataSend || SyoriType == stDataReceive || SyoriType >= 20;
    // A failed request leaves an empty table (the product serial kept), never a half-filled one.
    const auto clear = [&] {
        ServerInfo = TServerInfo{};
        ServerInfo[kServerInfoSerial] = serial;
        LineTime = {};
    };
    try {
        std::optional<TRelayRequest> request;
        if (relayId) {
            request.emplace(IsCloud() ? QStringLiteral("1725") : QStringLiteral("1720"), serial, CommunicationId());
            if (partner)
                request->Plain("sTRKubn", QStringLiteral("10"));
            else if (IsCloud())
                request->Plain("sRendou", Silent == 1 ? QStringLiteral("1") : QStringLiteral("0"));
        } else {
            request.emplace(QStringLiteral("1720"), serial, CashBookId());
            request->Plain("sTRKubn", QStringLiteral("2"));
        }
        TRelayReply reply = Exchange(request->Target());
        const QString code = ResultCode(reply.Line(5));
        if (code == QStringLiteral("000")) {
            reply.SkipTo(6);
            ReadServerInfo(reply, IsCloud(), core::EraDisplayOn(), serial, ServerInfo, LineTime);
            return true;
        }
        clear();
        if (code == QStringLiteral("920"))
            core::showMessage(core::MessageKind::Error, Framed(QStringLiteral("サーバーに接続出来ません、通信IDを確認して下さい。")));
        else
            core::showMessage(core::MessageKind::Error, Framed(QStringLiteral("サーバーエラー(") + code + QLatin1Char(')')));
        return false;
    } catch (const std::exception&) {
        clear();
        core::showMessage(core::MessageKind::Error, Framed(QStringLiteral("サーバーに接続出来ません。")));
        view_.SetExecuteKeysEnabled(false, false);
        return false;
    }
}

} // namespace communication
