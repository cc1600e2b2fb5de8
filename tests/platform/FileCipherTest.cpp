#include "platform/FileCipher.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

using namespace platform;
using platformtest::readBytes;
using platformtest::writeBytes;

namespace {

constexpr int kHeaderSize = 37; // magic, version, iterations, salt, nonce
constexpr int kTagSize = 16;

QByteArray randomBytes(int size, unsigned seed = 11) {
    std::mt19937 gen(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (auto& c : out)
        c = char(gen() & 0xFF);
    return out;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

class FileCipherTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    const QString pass = QString::fromLatin1(kPassPhrasePrefix) + QStringLiteral("pw&12 ab");
};

TEST(FileCipherPrefix, IsTwoCapitalsAndFourDigits) {
    const QByteArray prefix(kPassPhrasePrefix);
    ASSERT_EQ(prefix.size(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(i < 2 ? (prefix[i] >= 'A' && prefix[i] <= 'Z') : (prefix[i] >= '0' && prefix[i] <= '9')) << i;
}

TEST_F(FileCipherTest, RoundTripsEverySizeAndNeverRepeatsTheCipherText) {
    struct Case {
        const char* label;
        QByteArray plain;
    } cases[] = {
        {"empty", QByteArray()},
        {"small", QByteArray("a")},
        {"compressible", QByteArray(200000, 'x')},
        {"random, several chunks", randomBytes(300001)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        writeBytes(path("plain"), c.plain);
        EncryptFile(path("plain"), path("sealed"), pass);
        const QByteArray sealed = readBytes(path("sealed"));
        EXPECT_EQ(sealed.size(), kHeaderSize + c.plain.size() + kTagSize);
        EXPECT_TRUE(sealed.startsWith("TXCF\x01"));
        if (c.plain.size() >= 16) {
            EXPECT_FALSE(sealed.contains(c.plain.left(16)));
        }
        DecryptFile(path("sealed"), path("opened"), pass);
        EXPECT_TRUE(readBytes(path("opened")) == c.plain);

    }
    // Fresh salt and nonce each time: the same file never gives the same bytes.
    EncryptFile(path("plain"), path("sealed2"), pass);
    EXPECT_NE(readBytes(path("sealed2")).mid(5), readBytes(path("sealed")).mid(5));
    EXPECT_EQ(entries(dir.path()), (QStringList{"opened", "plain", "sealed", "sealed2"}));
}

TEST_F(FileCipherTest, DecipheringReplacesAnOldTarget) {
    writeBytes(path("plain"), "new contents");
    writeBytes(path("opened"), "old");
    EncryptFile(path("plain"), path("sealed"), pass);
    DecryptFile(path("sealed"), path("opened"), pass);
    EXPECT_EQ(readBytes(path("opened")), "new contents");
}

TEST_F(FileCipherTest, FailuresThrowAndLeaveNoOutput) {
    const QByteArray plain = randomBytes(150000);
    writeBytes(path("plain"), plain);
    EncryptFile(path("plain"), path("sealed"), pass);
    const QByteArray sealed = readBytes(path("sealed"));
    auto flipped = [&](qsizetype at) {
        QByteArray b = sealed;
        b[at] = char(b[at] ^ 0x01);
        return b;
    };
    struct Case {
        const char* label;
        QByteArray input;
        QString passPhrase;
    } cases[] = {
        {"wrong pass phrase", sealed, pass + "x"},
        {"pass phrase without prefix", sealed, QStringLiteral("pw&12 ab")},
        {"flipped magic", flipped(0), pass},
        {"flipped salt", flipped(10), pass},
        {"flipped nonce", flipped(30), pass},
        {"flipped cipher text", flipped(kHeaderSize + 70000), pass},
        {"flipped tag", flipped(sealed.size() - 1), pass},
        {"truncated by one byte", sealed.left(sealed.size() - 1), pass},
        {"truncated to half", sealed.left(sealed.size() / 2), pass},
        {"header only", sealed.left(kHeaderSize), pass},
        {"empty file", QByteArray(), pass},
        {"extended", sealed + "x", pass},
        {"huge iteration count", [&] { QByteArray b = sealed; b[8] = char(0x7F); return b; }(), pass},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QDir(path("out")).removeRecursively();
        QDir(dir.path()).mkdir("out");
        writeBytes(path("out/in"), c.input);
        EXPECT_THROW(DecryptFile(path("out/in"), path("out/result"), c.passPhrase), std::runtime_error);
        EXPECT_EQ(entries(path("out")), QStringList{"in"});
    }

    EXPECT_THROW(EncryptFile(path("missing"), path("out/result"), pass), std::runtime_error);
    EXPECT_THROW(DecryptFile(path("missing"), path("out/result"), pass), std::runtime_error);
    EXPECT_THROW(EncryptFile(path("plain"), path("no-folder/result"), pass), std::runtime_error);
    EXPECT_EQ(entries(path("out")), QStringList{"in"});
}

} // namespace
