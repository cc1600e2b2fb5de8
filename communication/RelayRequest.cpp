#include "communication/RelayRequest.h"

#include "core/modules/PzConv.h"
#include "core/text/SjisText.h"
#include "platform/Cp932.h"

namespace communication {

namespace {

QByteArray PlainBytes(const QString& value)
{
    return platform::toCp932(value).toPercentEncoding();
}

} // namespace

QString EncodeRequestText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('+'))
            out += QStringLiteral("%2b");
        else if (c == QLatin1Char('='))
            out += QStringLiteral("%3d");
        else
            out += c;
    }
    return out;
}

QString EncodeRequestName(const QString& text)
{
    return EncodeRequestText(core::TxPzConv::EncodeBase64(core::FixBrokenSjis(text)));
}

QString FolderText(int number)
{
    return (QStringLiteral("0") + QString::number(number)).right(2);
}

TRelayRequest::TRelayRequest(const QString& scode, const QString& serial, const QString& id)
{
    target_ = "/request.php?Scode=" + PlainBytes(scode) + "&sSno=" + PlainBytes(serial) + "&sFName=" + PlainBytes(id);
}

TRelayRequest& TRelayRequest::Plain(const char* key, const QString& value)
{
    target_ += QByteArray("&") + key + "=" + PlainBytes(value);
    return *this;
}

TRelayRequest& TRelayRequest::Encoded(const char* key, const QString& encoded)
{
    target_ += QByteArray("&") + key + "=" + encoded.toLatin1();
    return *this;
}

} // namespace communication
