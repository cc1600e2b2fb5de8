// The information block at the end of a backup file: finding it, reading it and cutting it
// off, also in files larger than 4 GiB and in data that holds the marker text itself.
#include "core/Exception.h"
#include "core/files/FileHelpers.h"
#include "core/files/FileZone.h"
#include "core/files/TBufFileStream.h"

#include "platform/Cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace core;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

// The block as the backup worker appends it.
QByteArray zoneBlock(const QString& shougou = u8("株式会社テスト")) {
    const QString text = u8("## TessaroZone\r\nSHOUGOU=") + shougou +
                         u8("\r\nKISHU=2025/04/01\r\nKIMATU=2026/03/31\r\nSIWAKE=12\r\nTOTALSIWAKE=15\r\n"
                            "DATAVARSION=15.0.0\r\nGASSAN=0\r\nUSEMYNUMBER=1\r\n");
    return platform::toCp932(text);
}

// Binary backup data of the given length: every byte value, no line structure.
QByteArray backupData(qsizetype size) {
    QByteArray data(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        data[i] = char((i * 7 + 3) % 251);
    return data;
}

class FileZoneTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }

    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(FileZoneTest, FindsReadsAndCutsTheBlockWhereverItStarts) {
    // 509: the marker begins three bytes before a 512-byte boundary; 16381: before the
    // 16 KiB read-ahead boundary; 1,000,000: the cut of a large file.
    for (const qsizetype dataSize : {qsizetype(0), qsizetype(509), qsizetype(16381), qsizetype(1000000)}) {
        SCOPED_TRACE(dataSize);
        const QByteArray data = backupData(dataSize);
        const QString path = write(QStringLiteral("qmacc.fbk"), data + zoneBlock());

        QString zone;
        EXPECT_EQ(FindTextInFile(path, kZoneMarker, zone), dataSize);
        EXPECT_EQ(zone, platform::fromCp932(zoneBlock()));

        ASSERT_TRUE(ReadFileZone(path, kZoneMarker, zone, true));
        EXPECT_EQ(zone, platform::fromCp932(zoneBlock()));
        // A block at the very start is the whole file and stays; otherwise exactly the data.
        EXPECT_EQ(read(path), dataSize == 0 ? zoneBlock() : data);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("qmacc.fbk")});
    }
}

TEST_F(FileZoneTest, MarkerTextInsideTheDataIsNotTheBlock) {
    // The backup data holds a complete copy of a block (an earlier backup stored as data) and
    // the bare marker text, with binary data after them.
    const QByteArray data = backupData(3000) + zoneBlock(u8("偽")) + backupData(100) + "## TessaroZone" +
                            backupData(2000);
    const QString withBlock = write(QStringLiteral("with.fbk"), data + zoneBlock());
    QString zone;
    EXPECT_EQ(FindTextInFile(withBlock, kZoneMarker, zone), data.size());
    EXPECT_TRUE(zone.contains(u8("SHOUGOU=株式会社テスト\r\n")));
    ASSERT_TRUE(ReadFileZone(withBlock, kZoneMarker, zone, true));
    EXPECT_EQ(read(withBlock), data);

    // Without a block of its own such a file has none, and a cut leaves it whole.
    const QString withoutBlock = write(QStringLiteral("without.fbk"), data);
    EXPECT_EQ(FindTextInFile(withoutBlock, kZoneMarker, zone), -1);
    EXPECT_TRUE(zone.isEmpty());
    EXPECT_FALSE(ReadFileZone(withoutBlock, kZoneMarker, zone, true));
    EXPECT_EQ(read(withoutBlock), data);
}

TEST_F(FileZoneTest, OnlyKeyValueLinesMayFollowTheMarker) {
    const QByteArray data = backupData(700);
    struct Case {
        const char* name;
        QByteArray tail;   // appended after the data
        qsizetype offset;  // expected, relative to the end of the data; -1: none
    };
    const Case cases[] = {
        {"block", zoneBlock(), 0},
        {"marker line alone", "## TessaroZone\r\n", 0},
        {"no CR LF at the end", zoneBlock().chopped(2), -1},
        {"LF line ends", "## TessaroZone\nSHOUGOU=x\n", -1},
        {"data after the block", zoneBlock() + "\x01\x02", -1},
        {"a line that is no KEY=value", "## TessaroZone\r\nSHOUGOU=x\r\nnot a value\r\n", -1},
        {"text after the marker", "## TessaroZone extra\r\nSHOUGOU=x\r\n", -1},
        // A trade name that ends with the marker text does not move the start of the block.
        {"value ending with the marker", zoneBlock(u8("商事## TessaroZone")), 0},
        // Data whose last line happens to look like KEY=value still ends before the marker.
        {"data ending like KEY=value", "\nA=1" + zoneBlock(), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(QStringLiteral("case.fbk"), data + c.tail);
        QString zone;
        EXPECT_EQ(FindTextInFile(path, kZoneMarker, zone), c.offset < 0 ? -1 : data.size() + c.offset);
        EXPECT_EQ(zone.isEmpty(), c.offset < 0);
    }
}

TEST_F(FileZoneTest, BlockAtTheEndOfAFileLargerThan4GiB) {
    // A sparse file: 4 GiB + 1000 bytes of holes take no disk space.
    const qint64 dataSize = (qint64(1) << 32) + 1000;
    const QString path = dir.filePath(QStringLiteral("large.fbk"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    if (!QFile::resize(path, dataSize))
        GTEST_SKIP() << "the temporary folder holds no sparse 4 GiB file";
    ASSERT_TRUE(AppendBytesToFile(path, zoneBlock()));
    EXPECT_EQ(GetFileSizeByName(path), dataSize + zoneBlock().size());

    QString zone;
    EXPECT_EQ(FindTextInFile(path, kZoneMarker, zone), dataSize);
    EXPECT_EQ(zone, platform::fromCp932(zoneBlock()));

    // The stream reads at 64-bit positions.
    TBufFileStream stream(path, QIODevice::ReadOnly, 16);
    EXPECT_EQ(stream.Seek(-qint64(zoneBlock().size()), TBufFileStream::Origin::End), dataSize);
    char head[14];
    ASSERT_EQ(stream.Read(head, sizeof head), 14);
    EXPECT_EQ(QByteArray(head, 14), QByteArray("## TessaroZone"));
    EXPECT_EQ(stream.Position(), dataSize + 14);
    EXPECT_EQ(stream.Seek(-14, TBufFileStream::Origin::Current), dataSize);

    ASSERT_TRUE(ReadFileZone(path, kZoneMarker, zone, true));
    EXPECT_EQ(GetFileSizeByName(path), dataSize);
}

TEST_F(FileZoneTest, BufferedReadsDeliverTheFileInOrder) {
    const QByteArray data = backupData(40000);
    const QString path = write(QStringLiteral("data.bin"), data);
    TBufFileStream stream(path, QIODevice::ReadOnly, 16);
    EXPECT_EQ(stream.BufferSize(), 16 * 1024);

    // Steps that do not divide the buffer make every refill keep a remainder.
    QByteArray got;
    char block[5000];
    for (qint64 n; (n = stream.Read(block, sizeof block)) > 0;)
        got.append(block, n);
    EXPECT_EQ(got, data);
    EXPECT_EQ(stream.Read(block, 1), 0);

    EXPECT_EQ(stream.Seek(100, TBufFileStream::Origin::Beginning), 100);
    ASSERT_EQ(stream.Read(block, 3), 3);
    EXPECT_EQ(QByteArray(block, 3), data.mid(100, 3));
    EXPECT_EQ(stream.Seek(-1, TBufFileStream::Origin::Beginning), -1);
    EXPECT_EQ(stream.Position(), 103);

    QByteArray tooLarge(20000, '\0');
    try {
        stream.Read(tooLarge.data(), tooLarge.size());
        FAIL() << "a read larger than the buffer was accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), u8("バッファの大きさを越えています。"));
    }
}

TEST_F(FileZoneTest, AppendTextToFileWritesCp932AtTheEnd) {
    const QString path = write(QStringLiteral("a.fbk"), "data");
    EXPECT_TRUE(AppendTextToFile(path, u8("## TessaroZone\r\nSHOUGOU=㈱テスト\r\n")));
    EXPECT_EQ(read(path), "data" + platform::toCp932(u8("## TessaroZone\r\nSHOUGOU=㈱テスト\r\n")));

    // A character CP932 cannot hold writes nothing; a missing file is not created.
    EXPECT_FALSE(AppendTextToFile(path, u8("SHOUGOU=\U0001F600\r\n")));
    EXPECT_EQ(GetFileSizeByName(path), 4 + platform::cp932Length(u8("## TessaroZone\r\nSHOUGOU=㈱テスト\r\n")));
    const QString missing = dir.filePath(QStringLiteral("missing.fbk"));
    EXPECT_FALSE(AppendTextToFile(missing, u8("x")));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(GetFileSizeByName(missing), 0);
}

} // namespace
