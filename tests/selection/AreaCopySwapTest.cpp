// The copy names of a paste and the copy-and-swap of an area: a complete copy replaces the
// target, a copy failing midway leaves the target's files as they were and no work folder.

#include "selection/AreaCopySwap.h"

#include "core/text/SjisText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace selection;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(AreaCopySwap, CopyNames)
{
    const QString a36 = QString(18, QChar(u'あ')); // 36 bytes
    struct Case {
        const char* name;
        QString entText;
        QString expected;
    } cases[] = {
        {"short", QStringLiteral("みなと"), QStringLiteral("みなと～コピー")},
        {"38 bytes keep ～ whole", a36 + QStringLiteral("ab"), a36 + QStringLiteral("ab～")},
        {"39 bytes lose the half of ～", a36 + QStringLiteral("abc"), a36 + QStringLiteral("abc")},
        {"40 bytes lose ～コピー", a36 + QStringLiteral("abcd"), a36 + QStringLiteral("abcd")},
        {"40 bytes of 22 characters", QString(18, QChar(u'あ')) + QStringLiteral("1234"),
         QString(18, QChar(u'あ')) + QStringLiteral("1234")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CopyNameOf(c.entText), c.expected) << c.name;
        EXPECT_LE(core::SjisBytes(CopyNameOf(c.entText)).size(), 40) << c.name;
    }
}

TEST(AreaCopySwap, CompleteCopyReplacesAFailedOneLeavesTheTarget)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("sv0001"));
    const QString target = dir.filePath(QStringLiteral("sv0002"));
    writeFile(source + QStringLiteral("/qmacc.fdb"), "source db");
    writeFile(source + QStringLiteral("/qmacc.ini"), "source ini");
    writeFile(target + QStringLiteral("/qmacc.fdb"), "target db");
    writeFile(target + QStringLiteral("/child/qmacc.fdb"), "old child");

    // A copy that writes one file and then fails.
    TAreaCopySwap failing;
    failing.CopyTree = [](const QString& from, const QString& to) {
        QFile::copy(from + QStringLiteral("/qmacc.fdb"), to + QStringLiteral("/qmacc.fdb"));
        return false;
    };
    EXPECT_FALSE(failing.CopyArea(source, target));
    EXPECT_EQ(readFile(target + QStringLiteral("/qmacc.fdb")), QByteArray("target db"));
    EXPECT_EQ(readFile(target + QStringLiteral("/child/qmacc.fdb")), QByteArray("old child"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("sv0001"), QStringLiteral("sv0002")}));

    TAreaCopySwap copy;
    EXPECT_TRUE(copy.CopyArea(source, target));
    EXPECT_EQ(readFile(target + QStringLiteral("/qmacc.fdb")), QByteArray("source db"));
    EXPECT_EQ(readFile(target + QStringLiteral("/qmacc.ini")), QByteArray("source ini"));
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/child"))); // the old contents are gone
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).size(), 2);

    // A child area: the database file alone, replaced only by a complete copy.
    const QString childDb = target + QStringLiteral("/c01/qmacc.fdb");
    writeFile(childDb, "child db");
    TAreaCopySwap failingFile;
    failingFile.CopyFile = [](const QString&, const QString&) { return false; };
    EXPECT_FALSE(failingFile.CopyDatabaseFile(source + QStringLiteral("/qmacc.fdb"), childDb));
    EXPECT_EQ(readFile(childDb), QByteArray("child db"));
    EXPECT_TRUE(copy.CopyDatabaseFile(source + QStringLiteral("/qmacc.fdb"), childDb));
    EXPECT_EQ(readFile(childDb), QByteArray("source db"));
    EXPECT_EQ(QDir(target + QStringLiteral("/c01")).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("qmacc.fdb")});
}
