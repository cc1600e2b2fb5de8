#include "core/version/Version.h"

#include <QStringList>

namespace core {

void ParseVersion(const QString& text, TVersionRec& version)
{
    qint32* const fields[] = {&version.major, &version.minor, &version.release, &version.build};
    for (qint32* field : fields)
        *field = 0;

    QStringList parts = text.split(QLatin1Char('.'));
    // A final "." ends the last part instead of opening an empty one.
    if (parts.size() > 1 && parts.last().isEmpty())
        parts.removeLast();
    for (qsizetype i = 0; i < parts.size() && i < 4; ++i) {
        bool ok = false;
        const int value = parts[i].trimmed().toInt(&ok);
        *fields[i] = ok ? value : 0;
    }
    version.text = text;
}

TVersionRec ParseVersion(const QString& text)
{
    TVersionRec version;
    ParseVersion(text, version);
    return version;
}

quint32 VersionKey(const TVersionRec& version)
{
    // A 32-bit key that wraps, as the stored keys of the product line do.
    return quint32(version.major) * 65536u + quint32(version.minor) * 256u + quint32(version.release);
}

bool VersionRecGreater(const TVersionRec& a, const TVersionRec& b)
{
    return VersionKey(a) > VersionKey(b);
}

bool VersionRecLess(const TVersionRec& a, const TVersionRec& b)
{
    return VersionKey(a) < VersionKey(b);
}

bool VersionGreater(const QString& a, const QString& b)
{
    return VersionRecGreater(ParseVersion(a), ParseVersion(b));
}

bool VersionGreaterOrEqual(const QString& a, const QString& b)
{
    return !VersionRecLess(ParseVersion(a), ParseVersion(b));
}

} // namespace core
