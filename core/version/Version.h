#pragma once
// Version texts of up to four dot-separated numbers ("15.0.0", "11.1.0.3") and their order.
// Versions compare by one key, major × 65536 + minor × 256 + release as an unsigned 32-bit
// number; the build number never takes part. A minor or release of 256 or more spills into
// the next field (1.0.256 has the key of 1.1.0): stored version texts are compared this way
// throughout the product line, so the overlap is kept.

#include <QString>
#include <QtGlobal>

namespace core {

struct TVersionRec {
    qint32 major = 0;
    qint32 minor = 0;
    qint32 release = 0;
    qint32 build = 0;
    QString text; // the version text as given
};

// Splits the text at every "." into at most four numbers; a part that is no number gives 0.
void ParseVersion(const QString& text, TVersionRec& version);
TVersionRec ParseVersion(const QString& text);

quint32 VersionKey(const TVersionRec& version);
bool VersionRecGreater(const TVersionRec& a, const TVersionRec& b);
bool VersionRecLess(const TVersionRec& a, const TVersionRec& b);

bool VersionGreater(const QString& a, const QString& b);
bool VersionGreaterOrEqual(const QString& a, const QString& b);

} // namespace core
