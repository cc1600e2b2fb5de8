#include "platform/Unlha.h"
#include "platform/lha/LhaFormat.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace platform;
using platformtest::readBytes;
using platformtest::writeBytes;

namespace {

QByteArray randomBytes(int size, const char* alphabet = nullptr, unsigned seed = 7) {
    std::mt19937 gen(seed);
    QByteArray out(size, Qt::Uninitialized);
    const int letters = alphabet ? int(strlen(alphabet)) : 256;
    for (auto& c : out) {
        const int r = int(gen() % unsigned(letters));
        c = alphabet ? alphabet[r] : char(r);
    }
    return out;
}

QByteArray repeatedText(int size) {
    QByteArray out;
    for (int i = 0; out.size() < size; ++i)
        out += "row " + QByteArray::number(i % 97) + ": 勘定科目 現金 売上高 1,234,567\r\n";
    return out.left(size);
}

QString quoted(const QString& path) { return '"' + path + '"'; }

// Debian's lhasa, the independent reader every archive must satisfy.
int runLhasa(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("lhasa"), args);
    if (!p.waitForFinished(60000))
        return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

class UnlhaTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    // Packs `content` stored as `name` into a.lzh; returns the archive's bytes.
    QByteArray pack(const QByteArray& content, const QString& name = QStringLiteral("data.fbk")) {
        writeBytes(path(name), content);
        QString output;
        EXPECT_EQ(Unlha("a " + quoted(path("a.lzh")) + " " + quoted(path(name)), &output), 0) << output.toStdString();
        return readBytes(path("a.lzh"));
    }

    QString makeFolder(const QString& name) {
        QDir(dir.path()).mkpath(name);
        return path(name);
    }

    QTemporaryDir dir;
};

TEST_F(UnlhaTest, PackedFilesPassLhasaAndComeBackByteForByte) {
    struct Case {
        const char* label;
        QByteArray content;
        const char* method;
        QString name = QStringLiteral("data.fbk");
    } cases[] = {
        {"empty", QByteArray(), "-lh0-"},
        {"small", QByteArray("hello"), "-lh0-"},
        {"compressible", repeatedText(100000), "-lh5-"},
        {"random", randomBytes(70000), "-lh0-"},
        // Tens of thousands of short matches and literals: several Huffman blocks.
        {"multi-block", randomBytes(400000, "abcdefghijklmnop") + repeatedText(300000), "-lh5-"},
        {"one byte repeated", QByteArray(50000, 'x'), "-lh5-"},
        // A header of exactly 256 bytes, whose first byte would read as the end of the archive.
        {"long name", repeatedText(5000), "-lh5-", QString(222, u'n')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const QByteArray archive = pack(c.content, c.name);
        ASSERT_GT(archive.size(), 26);
        EXPECT_EQ(archive.mid(2, 5), QByteArray(c.method));
        EXPECT_EQ(archive.back(), '\0');
        EXPECT_NE(UnlhaCheckArchive(path("a.lzh"), 2), 0);

        EXPECT_EQ(runLhasa({"t", path("a.lzh")}), 0);
        const QString theirs = makeFolder(QStringLiteral("lhasa-%1").arg(c.label));
        EXPECT_EQ(runLhasa({"xqw=" + theirs, path("a.lzh")}), 0);
        EXPECT_EQ(entries(theirs), QStringList{c.name});
        EXPECT_TRUE(readBytes(theirs + "/" + c.name) == c.content);

        const QString ours = makeFolder(QStringLiteral("ours-%1").arg(c.label));
        QString output;
        EXPECT_EQ(Unlha("e " + quoted(path("a.lzh")) + " " + quoted(ours + "/"), &output), 0) << output.toStdString();
        EXPECT_EQ(entries(ours), QStringList{c.name});
        EXPECT_TRUE(readBytes(ours + "/" + c.name) == c.content);
    }
}

TEST_F(UnlhaTest, ExtractionReplacesAnOldFileAndTakesAFolderEndingInBackslash) {
    const QByteArray content = repeatedText(20000);
    pack(content);
    const QString folder = makeFolder(QStringLiteral("R"));
    writeBytes(folder + "/data.fbk", "old");
    EXPECT_EQ(Unlha("e " + quoted(path("a.lzh")) + " " + quoted(folder + "\\")), 0);
    EXPECT_EQ(entries(folder), QStringList{"data.fbk"});
    EXPECT_TRUE(readBytes(folder + "/data.fbk") == content);
}

TEST_F(UnlhaTest, DamagedArchivesAreRefusedAndWriteNothing) {
    const QByteArray compressed = pack(repeatedText(60000));
    const QByteArray stored = pack(randomBytes(3000));
    const int headerSize = 26 + 5 + 3 + int(strlen("data.fbk"));
    auto flipped = [](QByteArray bytes, int at) {
        bytes[at] = char(bytes[at] ^ 0x10);
        return bytes;
    };
    struct Case {
        const char* label;
        QByteArray archive;
    } cases[] = {
        {"header size byte", flipped(compressed, 7)},
        {"header name byte", flipped(compressed, headerSize - 4)},
        {"compressed data byte", flipped(compressed, headerSize + 500)},
        {"stored data byte", flipped(stored, headerSize + 1500)},
        {"truncated data", compressed.left(compressed.size() / 2)},
        {"truncated header", compressed.left(20)},
        {"no end mark", compressed.left(compressed.size() - 1)},
        {"no member", QByteArray(1, '\0')},
        {"empty file", QByteArray()},
        {"not an archive", repeatedText(500)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        writeBytes(path("bad.lzh"), c.archive);
        EXPECT_EQ(UnlhaCheckArchive(path("bad.lzh"), 2), 0);
        const QString folder = makeFolder(QStringLiteral("out-%1").arg(c.label));
        QString output;
        EXPECT_NE(Unlha("e " + quoted(path("bad.lzh")) + " " + quoted(folder + "/"), &output), 0);
        EXPECT_FALSE(output.isEmpty());
        EXPECT_EQ(entries(folder), QStringList());
    }
}

// A member written by hand, with a name our writer would never store.
TEST_F(UnlhaTest, NamesThatLeaveTheFolderAreRefused) {
    const QByteArray content("payload");
    const QByteArray names[] = {"../x", "..", ".", "", "sub/x", "sub\\x", "x\xff" "y", QByteArray("x\0y", 3)};
    for (const QByteArray& name : names) {
        SCOPED_TRACE(name.toStdString());
        lha::MemberHeader header;
        header.method = lha::kMethodLh0;
        header.packedSize = header.originalSize = std::uint32_t(content.size());
        header.dataCrc = lha::crc16(content.constData(), std::size_t(content.size()));
        header.fileName = name;
        writeBytes(path("evil.lzh"), lha::encodeHeader(header) + content + QByteArray(1, '\0'));

        EXPECT_EQ(UnlhaCheckArchive(path("evil.lzh"), 2), 0);
        QDir(dir.path()).rmpath(QStringLiteral("inner/out"));
        const QString folder = makeFolder(QStringLiteral("inner/out"));
        EXPECT_NE(Unlha("e " + quoted(path("evil.lzh")) + " " + quoted(folder + "/")), 0);
        EXPECT_EQ(entries(folder), QStringList());
        EXPECT_EQ(entries(path("inner")), QStringList());
    }
}

TEST_F(UnlhaTest, RefusesMissingInputsBadCommandsAndHugeFiles) {
    EXPECT_NE(Unlha("a " + quoted(path("a.lzh")) + " " + quoted(path("missing"))), 0);
    EXPECT_FALSE(QFile::exists(path("a.lzh")));
    EXPECT_NE(Unlha("e " + quoted(path("missing.lzh")) + " " + quoted(dir.path() + "/")), 0);
    EXPECT_EQ(UnlhaCheckArchive(path("missing.lzh"), 2), 0);
    pack("abc");
    EXPECT_NE(Unlha("e " + quoted(path("a.lzh")) + " " + quoted(path("no-such-folder") + "/")), 0);
    EXPECT_NE(Unlha("x " + quoted(path("a.lzh"))), 0);

    QFile huge(path("huge"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(1) << 32)); // sparse: no disk space used
    huge.close();
    QString output;
    EXPECT_NE(Unlha("a " + quoted(path("b.lzh")) + " " + quoted(path("huge")), &output), 0);
    EXPECT_FALSE(QFile::exists(path("b.lzh")));
}

TEST_F(UnlhaTest, PathsWithBlanksAndJapaneseNames) {
    const QString folder = makeFolder(QStringLiteral("送 信"));
    const QByteArray content = repeatedText(3000);
    writeBytes(folder + QStringLiteral("/会計 データ.fbk"), content);
    ASSERT_EQ(Unlha("a " + quoted(folder + "/x y.lzh") + " " + quoted(folder + QStringLiteral("/会計 データ.fbk"))), 0);
    const QString target = makeFolder(QStringLiteral("受 信"));
    ASSERT_EQ(Unlha("e " + quoted(folder + "/x y.lzh") + " " + quoted(target + "\\")), 0);
    EXPECT_TRUE(readBytes(target + QStringLiteral("/会計 データ.fbk")) == content);
}

} // namespace
