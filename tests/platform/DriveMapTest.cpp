#include "platform/Cp932.h"
#include "platform/DriveMap.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;
using platformtest::ScopedEnv;

namespace {

class DriveMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        platformtest::writeBytes(path, toCp932(QStringLiteral("[DRIVES]\r\n"
                                                              "D=/srv/d\r\n"
                                                              "e=/srv/e/\r\n"
                                                              "F=/srv/d/sub\r\n"
                                                              "[shares]\r\n"
                                                              "\\\\Server\\Share=/mnt/表\r\n")));
    }
    QTemporaryDir dir;
    QString path = dir.filePath("drives.ini");
    ScopedEnv env{"TAXLINK_DRIVES", path.toLocal8Bit()};
};

TEST_F(DriveMapTest, DriveFolders) {
    EXPECT_EQ(driveFolder('D'), "/srv/d");
    EXPECT_EQ(driveFolder('d'), "/srv/d");
    EXPECT_EQ(driveFolder('E'), "/srv/e");
    EXPECT_EQ(driveFolder('Z'), "");
    EXPECT_EQ(driveFolder('1'), "");
}

TEST_F(DriveMapTest, WindowsPathsToNative) {
    struct Case {
        QString windows, native;
    } cases[] = {
        {"D:\\data\\x", "/srv/d/data/x"},
        {"d:\\Data\\X.ini", "/srv/d/Data/X.ini"}, // the case of the rest is kept
        {"E:\\y", "/srv/e/y"},
        {"D:\\", "/srv/d"},
        {"D:", "/srv/d"},
        {"D:rel\\a", "/srv/d/rel/a"},
        {QStringLiteral("D:\\表\\ソ"), QStringLiteral("/srv/d/表/ソ")},
        {"Z:\\a\\b", "Z:/a/b"},
        {"\\\\SERVER\\share\\a\\b", QStringLiteral("/mnt/表/a/b")},
        {"\\\\server\\share", QStringLiteral("/mnt/表")},
        {"\\\\other\\s\\a", "//other/s/a"},
        {"rel\\a", "rel/a"},
        {"/already/native", "/already/native"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toNativePath(c.windows), c.native) << c.windows.toStdString();
}

TEST_F(DriveMapTest, NativePathsToWindowsByLongestFolder) {
    struct Case {
        QString native, windows;
    } cases[] = {
        {"/srv/d/data/x", "D:\\data\\x"},
        {"/srv/d", "D:\\"},
        {"/srv/d/", "D:\\"},
        {"/srv/d/sub/x", "F:\\x"},
        {"/srv/d/subx", "D:\\subx"},
        {"/srv/dx/y", "/srv/dx/y"},
        {QStringLiteral("/mnt/表/a"), "\\\\Server\\Share\\a"},
        {"/home/u", "/home/u"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toWindowsPath(c.native), c.windows) << c.native.toStdString();
}

TEST_F(DriveMapTest, ConfigurationFromEnvironmentThenSetter) {
    setDriveMapFile(dir.filePath("other.ini"));
    EXPECT_EQ(driveMapFile(), path);
    ScopedEnv unset("TAXLINK_DRIVES", std::nullopt);
    EXPECT_EQ(driveMapFile(), dir.filePath("other.ini"));
    EXPECT_EQ(toNativePath("D:\\x"), "D:/x"); // missing file maps nothing
    setDriveMapFile({});
    EXPECT_EQ(driveMapFile(), "/etc/taxlink/drives.ini");
}

} // namespace
