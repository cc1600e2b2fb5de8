// Folder trees, protected folders, special folders, sub-folder lists, network and short paths,
// INI helpers and the folder history.
#include "core/Exception.h"
#include "core/files/FileHelpers.h"
#include "core/files/FolderHistory.h"
#include "core/files/FolderTree.h"
#include "core/files/IniHelpers.h"
#include "core/files/NetworkPaths.h"
#include "core/files/ProtectedFolders.h"
#include "core/files/SubFolders.h"
#include "core/files/SystemFolders.h"

#include "platform/Cp932.h"
#include "platform/IniFile.h"

#include "tests/platform/PlatformTestUtil.h"
#include "tests/support/RecordingMessageService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace core;
using platformtest::ScopedEnv;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

class FilesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed{messages};

    QString path(const QString& name) const { return dir.filePath(name); }

    void makeFile(const QString& name, const QByteArray& bytes = "x") {
        QDir().mkpath(QFileInfo(path(name)).path());
        platformtest::writeBytes(path(name), bytes);
    }
    void makeLink(const QString& target, const QString& name) {
        ASSERT_TRUE(QFile::link(target, path(name))) << name.toStdString();
    }
    bool exists(const QString& name) const { return QFileInfo::exists(path(name)) || QFileInfo(path(name)).isSymLink(); }

    // A drive map with D: on the folder "mapped" and a share on "shared".
    std::unique_ptr<ScopedEnv> mapDrives() {
        QDir().mkpath(path(QStringLiteral("mapped/data")));
        QDir().mkpath(path(QStringLiteral("shared")));
        const QString ini = path(QStringLiteral("drives.ini"));
        platform::TIniFile map(ini);
        map.WriteString(QStringLiteral("DRIVES"), QStringLiteral("D"), path(QStringLiteral("mapped")));
        map.WriteString(QStringLiteral("SHARES"), QStringLiteral("\\\\server\\share"), path(QStringLiteral("shared")));
        return std::make_unique<ScopedEnv>("TAXLINK_DRIVES", ini.toLocal8Bit());
    }
};

TEST_F(FilesTest, RootSystemAndMappedFoldersAreRefused) {
    const auto drives = mapDrives();
    makeLink(QStringLiteral("/usr/lib"), QStringLiteral("tosystem"));
    makeLink(path(QStringLiteral("mapped")), QStringLiteral("tomapped"));
    struct Case {
        QString path;
        bool allowed;
    };
    const Case cases[] = {
        {QString(), false},
        {QStringLiteral("   "), false},
        {QStringLiteral("C:"), false},
        {QStringLiteral("d:\\"), false}, // a drive root written in lower case
        {QStringLiteral("D:/"), false},
        {QStringLiteral("/"), false},
        {QStringLiteral("//"), false},
        {QStringLiteral("/usr"), false},
        {QStringLiteral("/usr/lib"), false},  // the system folder
        {QStringLiteral("/usr/lib/"), false}, // with a trailing separator too
        {QStringLiteral("/usr//lib/."), false},
        {QStringLiteral("/usr/share/../lib"), false},
        {QStringLiteral("/usr/LIB"), true}, // names compare exactly
        {QStringLiteral("/etc/"), false},
        {QStringLiteral("/var"), false},
        {QStringLiteral("/bin"), false},
        {QStringLiteral("/lib"), false},
        {QStringLiteral("/lib64"), false},
        {QStringLiteral("/boot"), false},
        {QStringLiteral("/proc"), false},
        {QStringLiteral("/sys"), false},
        {QStringLiteral("/dev"), false},
        {QStringLiteral("/home"), false},
        {QDir::homePath(), false},
        {path(QStringLiteral("tosystem")), false},      // a link to the system folder
        {path(QStringLiteral("tosystem/..")), false},    // ".." after the link: /usr
        {path(QStringLiteral("mapped")), false},          // the folder of drive D
        {path(QStringLiteral("mapped/")), false},
        {path(QStringLiteral("mapped/data/..")), false},
        {path(QStringLiteral("tomapped")), false},
        {path(QStringLiteral("shared")), false},          // the folder of a share
        {QStringLiteral("D:\\data\\.."), false},
        {QStringLiteral("D:\\data"), true},
        {path(QStringLiteral("mapped/data")), true},
        {path(QStringLiteral("missing/folder")), true},
        {dir.path(), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNotRootOrSystemDir(c.path), c.allowed) << c.path.toStdString();
}

TEST_F(FilesTest, DeleteFolderTreeRefusesProtectedFoldersAndDeletesNothing) {
    const auto drives = mapDrives();
    makeFile(QStringLiteral("mapped/data/qmacc.fdb"));
    makeLink(path(QStringLiteral("mapped")), QStringLiteral("tomapped"));
    const QStringList refused = {
        QStringLiteral("C:\\"),
        QStringLiteral("/"),
        QStringLiteral("/usr/lib/"),
        QStringLiteral("D:\\"),
        path(QStringLiteral("mapped/")),
        path(QStringLiteral("mapped/data/..")),
        path(QStringLiteral("tomapped")),
    };
    for (const QString& target : refused) {
        SCOPED_TRACE(target.toStdString());
        messages.messages.clear();
        EXPECT_FALSE(DeleteFolderTree(target, false, false));
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(messages.messages[0].text, u8("ルート・システムディレクトリは、削除できません。<%1> \r").arg(target));
    }
    EXPECT_TRUE(exists(QStringLiteral("mapped/data/qmacc.fdb")));
    EXPECT_TRUE(exists(QStringLiteral("tomapped")));
}

TEST_F(FilesTest, DeleteFolderTreeNeverFollowsLinks) {
    makeFile(QStringLiteral("outside/keep.txt"));
    makeFile(QStringLiteral("outside-file.txt"));
    makeFile(QStringLiteral("data/qmacc.fdb"));
    makeFile(QStringLiteral("data/sub/deeper/file.txt"));
    makeLink(path(QStringLiteral("outside")), QStringLiteral("data/sub/linkdir"));
    makeLink(path(QStringLiteral("outside-file.txt")), QStringLiteral("data/linkfile"));
    makeLink(path(QStringLiteral("nowhere")), QStringLiteral("data/dangling"));

    EXPECT_TRUE(DeleteFolderTree(path(QStringLiteral("data")), false, true));
    EXPECT_FALSE(exists(QStringLiteral("data")));
    EXPECT_TRUE(exists(QStringLiteral("outside/keep.txt")));
    EXPECT_TRUE(exists(QStringLiteral("outside-file.txt")));

    // The path itself a link: the link goes, the folder it names stays.
    makeLink(path(QStringLiteral("outside")), QStringLiteral("linked"));
    EXPECT_TRUE(DeleteFolderTree(path(QStringLiteral("linked")), false, true));
    EXPECT_FALSE(exists(QStringLiteral("linked")));
    EXPECT_TRUE(exists(QStringLiteral("outside/keep.txt")));

    // A single file, and a trailing separator.
    EXPECT_TRUE(DeleteFolderTree(path(QStringLiteral("outside-file.txt")), false, true));
    EXPECT_FALSE(exists(QStringLiteral("outside-file.txt")));
    EXPECT_TRUE(DeleteFolderTree(path(QStringLiteral("outside/")), false, true));
    EXPECT_FALSE(exists(QStringLiteral("outside")));
    EXPECT_TRUE(messages.messages.isEmpty());

    // A missing path fails; the error is shown only when asked for.
    EXPECT_FALSE(DeleteFolderTree(path(QStringLiteral("missing")), false, false));
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_FALSE(DeleteFolderTree(path(QStringLiteral("missing")), false, true));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
}

TEST_F(FilesTest, DeleteFolderTreeWithUndoMovesToTheTrash) {
    QDir().mkpath(path(QStringLiteral("home-data")));
    const ScopedEnv dataHome("XDG_DATA_HOME", path(QStringLiteral("home-data")).toLocal8Bit());
    makeFile(QStringLiteral("data/qmacc.fdb"), "db");
    EXPECT_TRUE(DeleteFolderTree(path(QStringLiteral("data")), true, true));
    EXPECT_FALSE(exists(QStringLiteral("data")));
    EXPECT_TRUE(exists(QStringLiteral("home-data/Trash/files/data/qmacc.fdb")));
}

TEST_F(FilesTest, CopyFolderTreeFollowsTheShellRules) {
    makeFile(QStringLiteral("src/qmacc.fdb"), "db");
    makeFile(QStringLiteral("src/sub/qmacc.ini"), "ini");
    makeFile(QStringLiteral("outside.txt"), "outside");
    makeLink(path(QStringLiteral("outside.txt")), QStringLiteral("src/link"));
    QDir().mkpath(path(QStringLiteral("existing")));

    // Onto an existing folder: into it under its own name.
    EXPECT_TRUE(CopyFolderTree(path(QStringLiteral("src")), path(QStringLiteral("existing"))));
    EXPECT_EQ(platformtest::readBytes(path(QStringLiteral("existing/src/sub/qmacc.ini"))), "ini");
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("existing/src/link"))).isSymLink());
    // Onto a new name: the copy takes that name.
    EXPECT_TRUE(CopyFolderTree(path(QStringLiteral("src")), path(QStringLiteral("new/copy"))));
    EXPECT_EQ(platformtest::readBytes(path(QStringLiteral("new/copy/qmacc.fdb"))), "db");
    // "folder/*": what the folder holds, overwriting.
    makeFile(QStringLiteral("contents/qmacc.fdb"), "old");
    EXPECT_TRUE(CopyFolderTree(path(QStringLiteral("src/*")), path(QStringLiteral("contents"))));
    EXPECT_EQ(platformtest::readBytes(path(QStringLiteral("contents/qmacc.fdb"))), "db");
    EXPECT_TRUE(exists(QStringLiteral("contents/sub/qmacc.ini")));
    // A file onto a folder.
    EXPECT_TRUE(CopyFolderTree(path(QStringLiteral("src/qmacc.fdb")), path(QStringLiteral("existing"))));
    EXPECT_EQ(platformtest::readBytes(path(QStringLiteral("existing/qmacc.fdb"))), "db");
    EXPECT_TRUE(messages.messages.isEmpty());

    // Into itself: refused with an error, nothing created.
    EXPECT_FALSE(CopyFolderTree(path(QStringLiteral("src")), path(QStringLiteral("src/sub"))));
    EXPECT_FALSE(exists(QStringLiteral("src/sub/src")));
    ASSERT_EQ(messages.messages.size(), 1);

    // Protected folders on either side.
    messages.messages.clear();
    EXPECT_FALSE(CopyFolderTree(QStringLiteral("/usr/lib/"), path(QStringLiteral("x"))));
    EXPECT_FALSE(CopyFolderTree(path(QStringLiteral("src")), QStringLiteral("/")));
    ASSERT_EQ(messages.messages.size(), 2);
    EXPECT_EQ(messages.messages[1].text, u8("指定ディレクトリ[%1->/]の複写・移動はできません。 \r").arg(path(QStringLiteral("src"))));
}

TEST_F(FilesTest, CopyFileToReplacesTheTarget) {
    makeFile(QStringLiteral("a.fdb"), "new");
    makeFile(QStringLiteral("b.fdb"), "old");
    EXPECT_TRUE(CopyFileTo(path(QStringLiteral("a.fdb")), path(QStringLiteral("b.fdb"))));
    EXPECT_EQ(platformtest::readBytes(path(QStringLiteral("b.fdb"))), "new");
    EXPECT_FALSE(CopyFileTo(path(QStringLiteral("missing.fdb")), path(QStringLiteral("b.fdb"))));
    EXPECT_EQ(platformtest::readBytes(path(QStringLiteral("b.fdb"))), "new");
}

TEST_F(FilesTest, ForceFolderCreatesParentsButNoDrive) {
    EXPECT_FALSE(ForceFolder(QStringLiteral("C:")));
    EXPECT_FALSE(ForceFolder(QStringLiteral("c:\\")));
    EXPECT_FALSE(ForceFolder(QString()));
    EXPECT_TRUE(ForceFolder(path(QStringLiteral("a/b/c"))));
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("a/b/c"))).isDir());
    EXPECT_TRUE(ForceFolder(path(QStringLiteral("a/b/c/"))));
    makeFile(QStringLiteral("file"));
    EXPECT_FALSE(ForceFolder(path(QStringLiteral("file"))));
}

TEST_F(FilesTest, SubFolderListHoldsFoldersOnly) {
    EXPECT_TRUE(GetSubFolderList(path(QStringLiteral("missing")), true).isEmpty());
    EXPECT_TRUE(GetSubFolderList(QStringLiteral("  "), true).isEmpty());
    QDir().mkpath(path(QStringLiteral("root/one")));
    QDir().mkpath(path(QStringLiteral("root/.hidden")));
    QDir().mkpath(path(QStringLiteral("root/データ")));
    makeFile(QStringLiteral("root/file.txt"));

    QStringList names = GetSubFolderList(path(QStringLiteral("root")), true);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral(".hidden"), QStringLiteral("one"), u8("データ")}));
    QStringList full = GetSubFolderList(path(QStringLiteral("root/")), false);
    full.sort();
    EXPECT_EQ(full, (QStringList{path(QStringLiteral("root/.hidden")), path(QStringLiteral("root/one")),
                                 path(u8("root/データ"))}));
}

TEST_F(FilesTest, SpecialFolders) {
    {
        const ScopedEnv common("TAXLINK_COMMON_APPDATA", QByteArray("/srv/taxlink/"));
        SetCommonAppDataDir(QStringLiteral("/opt/configured"));
        EXPECT_EQ(GetAppDataDir(true), QStringLiteral("/srv/taxlink"));
    }
    {
        const ScopedEnv common("TAXLINK_COMMON_APPDATA", std::nullopt);
        EXPECT_EQ(GetAppDataDir(true), QStringLiteral("/opt/configured"));
        SetCommonAppDataDir(QString());
        EXPECT_EQ(GetAppDataDir(true), QStringLiteral("/var/lib/taxlink"));
    }
    const ScopedEnv dataHome("XDG_DATA_HOME", path(QStringLiteral("share/")).toLocal8Bit());
    EXPECT_EQ(GetAppDataDir(false), path(QStringLiteral("share")));
    EXPECT_EQ(GetSystemDir(), QStringLiteral("/usr/lib"));
    EXPECT_EQ(GetSpecialFolder(QStringLiteral("ProgramFiles")), QStringLiteral("/opt"));
    EXPECT_EQ(GetSpecialFolder(QStringLiteral("MyDocument")), GetMyDocumentsDir());
    EXPECT_FALSE(GetMyDocumentsDir().endsWith(u'/'));

    {
        const ScopedEnv temp("TEMP", dir.path().toLocal8Bit() + "/");
        EXPECT_EQ(GetTempDir(QStringLiteral("/default")), dir.path());
    }
    const ScopedEnv temp("TEMP", path(QStringLiteral("missing")).toLocal8Bit());
    const ScopedEnv tmpdir("TMPDIR", std::nullopt);
    EXPECT_EQ(GetTempDir(QStringLiteral("/default/")), QStringLiteral("/default/"));
}

TEST_F(FilesTest, NetworkAndShortPaths) {
    const QString mounts = QStringLiteral(
        "22 1 8:1 / / rw,relatime - ext4 /dev/sda1 rw\n"
        "40 22 0:50 / /mnt/share rw - cifs //server/share rw,vers=3.0\n"
        "41 22 0:51 / /mnt/nfs rw shared:7 - nfs4 fileserver:/export rw\n"
        "42 40 8:2 / /mnt/share/local rw - ext4 /dev/sdb1 rw\n"
        "43 22 0:52 / /mnt/with\\040blank rw - cifs //server/other rw\n");
    const struct {
        const char* path;
        const char* universal;
    } cases[] = {
        {"/home/user/data", "/home/user/data"},
        {"/mnt/share", "//server/share"},
        {"/mnt/share/tallekzaimu/data", "//server/share/tallekzaimu/data"},
        {"/mnt/sharex", "/mnt/sharex"},
        {"/mnt/nfs/d", "fileserver:/export/d"},
        {"/mnt/share/local/x", "/mnt/share/local/x"}, // a local mount inside the share
        {"/mnt/with blank/x", "//server/other/x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UncPathFromMountInfo(u8(c.path), mounts), u8(c.universal)) << c.path;
    EXPECT_EQ(GetUncPath(dir.path()), dir.path()); // the test's temporary folder is local
    EXPECT_EQ(GetUncPath(QStringLiteral(" ")), QStringLiteral(" "));

    EXPECT_EQ(GetShortPath(dir.path()), dir.path());
    try {
        GetShortPath(path(QStringLiteral("missing")));
        FAIL() << "no error for a missing path";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), u8("ファイルが見つかりません。"));
    }
}

TEST_F(FilesTest, IniHelpers) {
    const QString ini = path(QStringLiteral("app.ini"));
    WriteIniFileValue(ini, QStringLiteral("Mode"), QStringLiteral("HOSTNAME"), false, u8("サーバ"));
    WriteIniFileValue(ini, QStringLiteral("Mode"), QStringLiteral("PORT"), false, 3050);
    WriteIniFileValue(ini, QStringLiteral("Mode"), QStringLiteral("GROUP"), false, true);
    WriteIniFileValue(ini, QStringLiteral("Mode"), QStringLiteral("PORT"), true, QVariant());
    EXPECT_EQ(ReadIniFileSection(ini, QStringLiteral("mode")), u8("HOSTNAME=サーバ\r\nGROUP=True\r\n"));
    EXPECT_EQ(ReadIniFileSection(ini, QString()), QString());
    EXPECT_EQ(ReadIniFileSection(QString(), QStringLiteral("Mode")), QString());

    // The section is written again; a name listed twice keeps its first value.
    WriteIniFileSection(ini, QStringLiteral("Mode"),
                        {QStringLiteral("A=1"), QStringLiteral("no name"), QStringLiteral("B=x=y"), QStringLiteral("a=2")});
    EXPECT_EQ(ReadIniFileSection(ini, QStringLiteral("Mode")), QStringLiteral("A=1\r\nB=x=y\r\n"));

    // Errors of the INI class reach the caller.
    EXPECT_THROW(WriteIniFileValue(path(QStringLiteral("missing/app.ini")), QStringLiteral("S"), QStringLiteral("K"),
                                   false, 1),
                 platform::IniFileError);
}

TEST_F(FilesTest, BackupFolderHistoryKeepsTheEightNewestInCp932) {
    const QString file = HistoryIniPath(dir.path());
    EXPECT_EQ(file, path(QStringLiteral("history.ini")));

    QStringList history;
    for (int i = 1; i <= 9; ++i)
        history = PutFolderFirst(history, u8("/home/経理/保存%1").arg(i));
    WriteFolderHistory(file, kDataBackFolderSection, history);

    QString expected = QStringLiteral("[DataBackFolder]\r\n");
    for (int i = 1; i <= 8; ++i)
        expected += u8("HIST%1=/home/経理/保存%2\r\n").arg(i).arg(10 - i);
    EXPECT_EQ(platformtest::readBytes(file), platform::toCp932(expected));

    // Choosing an old folder moves it to HIST1 without a gap.
    history = PutFolderFirst(ReadFolderHistory(file, kDataBackFolderSection), u8("/home/経理/保存4"));
    WriteFolderHistory(file, kDataBackFolderSection, history);
    const QStringList read = ReadFolderHistory(file, kDataBackFolderSection);
    ASSERT_EQ(read.size(), 8);
    EXPECT_EQ(read[0], u8("/home/経理/保存4"));
    EXPECT_EQ(read[1], u8("/home/経理/保存9"));
    EXPECT_EQ(read[7], u8("/home/経理/保存2"));
    EXPECT_EQ(platform::TIniFile(file).ReadSection(kDataBackFolderSection),
              (QStringList{"HIST1", "HIST2", "HIST3", "HIST4", "HIST5", "HIST6", "HIST7", "HIST8"}));
}

} // namespace
