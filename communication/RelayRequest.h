#pragma once
// The request line of the relay service: "/request.php?Scode=…&sSno=…&sFName=…" and the keys
// of the request, in the order they are added.
//
// Plain values (IDs, passwords, numbers, dates) go out as the percent-encoded CP932 bytes of
// the text with the unreserved characters kept, so valid IDs and passwords travel unchanged
// while a blank or "&" cannot split the line or add a key. Names (fSg, fOpName, fPcName) go
// out Base64-encoded with "+" and "=" written "%2b" and "%3d" (EncodeRequestText).

#include <QByteArray>
#include <QString>

namespace communication {

// Replaces every "+" by "%2b" and every "=" by "%3d"; every other character, "/" included, stays.
QString EncodeRequestText(const QString& text);
// A name as the requests carry it: the text with broken Shift-JIS blanked, Base64 of its CP932
// bytes, then EncodeRequestText.
QString EncodeRequestName(const QString& text);
// A folder or line number as two characters: "03", "10".
QString FolderText(int number);

class TRelayRequest {
public:
    TRelayRequest(const QString& scode, const QString& serial, const QString& id);
    TRelayRequest& Plain(const char* key, const QString& value);
    // A value that is already encoded for the line (EncodeRequestName).
    TRelayRequest& Encoded(const char* key, const QString& encoded);
    // "/request.php?…".
    QByteArray Target() const { return target_; }

private:
    QByteArray target_;
};

} // namespace communication
