#include "core/version/EasyEncode.h"
#include "core/version/Version.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Version, ParseVersionFillsUpToFourNumbers) {
    const struct {
        const char* text;
        int major, minor, release, build;
    } cases[] = {
        {"15.0.0", 15, 0, 0, 0},
        {"11.1", 11, 1, 0, 0},
        {"a.2", 0, 2, 0, 0},
        {"", 0, 0, 0, 0},
        {"1..3", 1, 0, 3, 0},       // an empty part still counts
        {"11.1.", 11, 1, 0, 0},     // a final "." adds no part
        {"1.2.3.4.5", 1, 2, 3, 4},  // parts after the fourth are ignored
        {"99999999999.1", 0, 1, 0, 0},
    };
    for (const auto& c : cases) {
        TVersionRec v;
        v.major = v.minor = v.release = v.build = 7;
        ParseVersion(QString::fromLatin1(c.text), v);
        EXPECT_EQ(v.major, c.major) << c.text;
        EXPECT_EQ(v.minor, c.minor) << c.text;
        EXPECT_EQ(v.release, c.release) << c.text;
        EXPECT_EQ(v.build, c.build) << c.text;
        EXPECT_EQ(v.text, QString::fromLatin1(c.text));
    }
}

TEST(Version, ComparesByKeyWithoutBuildAndWithFieldOverlap) {
    const struct {
        const char* a;
        const char* b;
        bool greater, greaterOrEqual;
    } cases[] = {
        {"11.1.0", "11.1.0", false, true},
        {"11.1.0.9", "11.1.0.1", false, true}, // build numbers never count
        {"15.0.0", "11.1.0", true, true},
        {"11.0.9", "11.1.0", false, false},
        {"11.1", "11.0.255", true, true},
        {"1.0.256", "1.1.0", false, true},     // release 256 has the key of minor + 1
        {"1.1.0", "1.0.256", false, true},
        {"1.0.257", "1.1.0", true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VersionGreater(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.greater) << c.a << " > " << c.b;
        EXPECT_EQ(VersionGreaterOrEqual(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.greaterOrEqual)
            << c.a << " >= " << c.b;
    }
    EXPECT_TRUE(VersionRecLess(ParseVersion(QStringLiteral("11.0.9")), ParseVersion(QStringLiteral("11.1"))));
}

namespace {

TEasyEncodeInfo dataPasswordInfo(qint32 textLength = kDataPasswordLength)
{
    TEasyEncodeInfo info;
    info.key = QString::fromLatin1(kDataPasswordKey);
    info.targetLength = kDataPasswordLength;
    info.textLength = textLength;
    return info;
}

QString encode(const QString& plain, qint32 textLength = kDataPasswordLength)
{
    TEasyEncodeInfo info = dataPasswordInfo(textLength);
    info.plainText = plain;
    EXPECT_TRUE(EasyEncode(info));
    return info.codedText;
}

QString decode(const QString& coded, qint32 textLength = kDataPasswordLength)
{
    TEasyEncodeInfo info = dataPasswordInfo(textLength);
    info.codedText = coded;
    EXPECT_TRUE(EasyDecode(info));
    return info.plainText;
}

} // namespace

// Coded texts worked out by hand from the key "tormand" (running sums 116, 227, 341, 450, 547,
// 657, 757, 873 …) and the alphabet; databases hold passwords written this way.
TEST(EasyEncode, MatchesStoredDataPasswords) {
    const struct {
        const char* plain;
        qint32 textLength;
        const char* coded;
    } cases[] = {
        {"Pass1234", 8, "HPXIQDg9"},
        {"zZ9", 8, "rEE"},
        {"abc", 3, "2QHQqdQJ"}, // padded with ABCDE before coding
        {"xxxxxxxxx", 8, "pc2Nm8KCp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encode(QString::fromLatin1(c.plain), c.textLength), QString::fromLatin1(c.coded)) << c.plain;
        EXPECT_EQ(decode(QString::fromLatin1(c.coded), c.textLength), QString::fromLatin1(c.plain).left(8))
            << c.coded;
    }
}

TEST(EasyEncode, RoundTripsEveryAlphabetTextUpToEightCharacters) {
    const QString alphabet = QString::fromLatin1(kEasyEncodeAlphabet);
    for (int length = 0; length <= 8; ++length)
        for (int start = 0; start < alphabet.size(); ++start) {
            QString plain;
            for (int i = 0; i < length; ++i)
                plain += alphabet[(start + i * 7) % alphabet.size()];
            EXPECT_EQ(decode(encode(plain)), plain);
        }
}

TEST(EasyEncode, CutsAtLengthAndAtForeignCharacters) {
    // A nine-character password stored with text length 8 comes back as its first eight.
    EXPECT_EQ(decode(encode(QStringLiteral("abcdefghi"))), QStringLiteral("abcdefgh"));
    // A character outside the alphabet ends the text in both directions.
    EXPECT_EQ(encode(QStringLiteral("ab-cd")), encode(QStringLiteral("ab")));
    EXPECT_EQ(decode(encode(QStringLiteral("ab-cd"))), QStringLiteral("ab"));
    EXPECT_EQ(decode(QStringLiteral("HP_XIQ")), QStringLiteral("Pa"));
    EXPECT_EQ(encode(QStringLiteral("パス")), QString());
}

TEST(EasyEncode, InitKeepsOnlyTheKey) {
    TEasyEncodeInfo info = dataPasswordInfo();
    info.plainText = QStringLiteral("x");
    info.codedText = QStringLiteral("y");
    InitEasyEncodeInfo(info);
    EXPECT_EQ(info.targetLength, 0);
    EXPECT_EQ(info.textLength, 0);
    EXPECT_TRUE(info.plainText.isEmpty());
    EXPECT_TRUE(info.codedText.isEmpty());
    EXPECT_EQ(info.key, QStringLiteral("tormand"));
}
