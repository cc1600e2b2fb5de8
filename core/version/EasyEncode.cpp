#include "core/version/EasyEncode.h"

#include "platform/Cp932.h"

namespace core {

namespace {

constexpr int kAlphabetSize = 62;
// The encoded texts are at most 255 characters, as the stored values of the product line hold them.
constexpr qsizetype kMaxTextLength = 255;

int alphabetPosition(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    if (u >= '0' && u <= '9')
        return 26 + (u - '0');
    if (u >= 'a' && u <= 'z')
        return 36 + (u - 'a');
    return -1;
}

// The key walk shared by both directions: each step adds the next byte of the key (cyclically,
// in CP932, as the stored values are encoded) to a running sum.
class KeyWalk {
public:
    explicit KeyWalk(const QString& key) : key_(platform::toCp932(key).left(kMaxTextLength)) {}

    int next()
    {
        if (!key_.isEmpty()) {
            sum_ += static_cast<unsigned char>(key_[position_]);
            position_ = (position_ + 1) % key_.size();
        }
        return sum_;
    }

private:
    QByteArray key_;
    qsizetype position_ = 0;
    int sum_ = 0;
};

} // namespace

void InitEasyEncodeInfo(TEasyEncodeInfo& info)
{
    info.targetLength = 0;
    info.textLength = 0;
    info.plainText.clear();
    info.codedText.clear();
}

bool EasyEncode(TEasyEncodeInfo& info)
{
    QString plain = info.plainText;
    for (qint32 i = 0; i < info.targetLength - info.textLength; ++i)
        plain += QLatin1Char(char('A' + i % 26));
    plain.truncate(kMaxTextLength);

    KeyWalk walk(info.key);
    QString coded;
    for (QChar c : std::as_const(plain)) {
        const int p = alphabetPosition(c);
        if (p < 0)
            break;
        coded += QLatin1Char(kEasyEncodeAlphabet[(p + walk.next()) % kAlphabetSize]);
    }
    info.codedText = coded;
    return true;
}

bool EasyDecode(TEasyEncodeInfo& info)
{
    const QString coded = info.codedText.left(kMaxTextLength);
    KeyWalk walk(info.key);
    QString plain;
    for (QChar c : coded) {
        if (plain.size() >= info.textLength)
            break;
        const int q = alphabetPosition(c);
        if (q < 0)
            break;
        const int p = ((q - walk.next()) % kAlphabetSize + kAlphabetSize) % kAlphabetSize;
        plain += QLatin1Char(kEasyEncodeAlphabet[p]);
    }
    info.plainText = plain;
    return true;
}

} // namespace core
