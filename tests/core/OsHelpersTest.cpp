// Operating-system helpers: names, waiting, registry values, scaling, grey colours, the rule
// for save locations with the dialogs around it, and the window helpers on Qt widgets.
#include "core/Globals.h"
#include "core/files/SystemFolders.h"
#include "core/os/ColorToGray.h"
#include "core/os/DelayWithMessages.h"
#include "core/os/DpiScale.h"
#include "core/os/MachineNames.h"
#include "core/os/QtShellDialogs.h"
#include "core/os/RegistryValue.h"
#include "core/os/SaveDialogs.h"
#include "core/os/SaveLocationRule.h"
#include "core/os/ShellDialogs.h"
#include "core/os/WindowHelpers.h"

#include "platform/Cp932.h"
#include "tests/core/QtPrinters.h"
#include "tests/platform/PlatformTestUtil.h"
#include "tests/support/RecordingMessageService.h"

#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>

using namespace core;
using platformtest::ScopedEnv;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

const QString kQuestion = u8("この場所に保存するアクセス許可がありません。\r管理者に連絡してアクセス許可を取得してください。\r\r"
                             "代わりに［ドキュメント］フォルダに保存しますか？\r");

// Dialogs that answer from a script, and folders that count as unwritable (the tests may run
// as root, who can write everywhere).
class ScriptedShell : public ShellDialogs {
public:
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    QList<TFolderBrowseRequest> browsed;
    QList<TSaveDialog> saveRuns;
    QSet<QString> unwritable;

    std::optional<QString> browseFolder(const TFolderBrowseRequest& request) override {
        browsed << request;
        return next(folderAnswers);
    }
    std::optional<QString> browseComputer(const QString&) override { return QStringLiteral("SERVER1"); }
    std::optional<QString> runSaveDialog(const TSaveDialog& dialog) override {
        saveRuns << dialog;
        return next(saveAnswers);
    }
    bool isWritableFolder(const QString& folder) override { return !unwritable.contains(folder); }

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& answers) {
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ScopedShell {
public:
    explicit ScopedShell(ShellDialogs& shell) : previous_(setShellDialogs(&shell)) {}
    ~ScopedShell() { setShellDialogs(previous_); }

private:
    ShellDialogs* previous_;
};

} // namespace

TEST(MachineNamesTest, PcNameFollowsTheConnectionMode) {
    const quint8 oldMode = ConnectMode;
    const QString oldUser = SystemDef.WinUserName;
    ConnectMode = 2;
    SystemDef.WinUserName.clear();
    EXPECT_EQ(GetPcName(), u8("ANONYMOUS"));
    SystemDef.WinUserName = u8("sato");
    EXPECT_EQ(GetPcName(), u8("sato"));
    ConnectMode = 1;
    EXPECT_EQ(GetPcName(), QSysInfo::machineHostName());
    ConnectMode = oldMode;
    SystemDef.WinUserName = oldUser;

    EXPECT_FALSE(GetLogonUserName().isEmpty());
}

TEST(DelayWithMessagesTest, WaitsAtLeastTheTimeAndKeepsEventsFlowing) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(DelayWithMessages(30));
    EXPECT_GE(timer.elapsed(), 30);
    EXPECT_TRUE(ran);
}

TEST(ReadRegistryValueTest, GivesTextIntegerOrZero) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry.ini"));
    platformtest::writeBytes(path, platform::toCp932(u8(
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\r\n"
        "\"EnableLUA\"=dword:00000001\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tallek]\r\n"
        "\"Name\"=\"財務\"\r\n\"Blob\"=hex:01,02\r\n")));
    ScopedEnv env("TAXLINK_REGISTRY", path.toLocal8Bit());

    const QString key = QStringLiteral("SOFTWARE\\Tallek");
    EXPECT_EQ(ReadRegistryValue(platform::RootKey::LocalMachine, key, QStringLiteral("Name")), QVariant(u8("財務")));
    EXPECT_EQ(ReadRegistryValue(platform::RootKey::LocalMachine, key, QStringLiteral("Blob")), QVariant(0));
    EXPECT_EQ(ReadRegistryValue(platform::RootKey::LocalMachine, key, QStringLiteral("Missing")), QVariant(0));
    EXPECT_EQ(ReadRegistryValue(platform::RootKey::CurrentUser, key, QStringLiteral("Name")), QVariant(0));
    EXPECT_TRUE(IsUserAccountControlOn());
}

TEST(ScaleByDpiTest, ScalesAndCutsTheFraction) {
    EXPECT_EQ(ScaleByDpi(480, 120, 96), 600);
    EXPECT_EQ(ScaleByDpi(100, 96, 96), 100);
    EXPECT_EQ(ScaleByDpi(10, 100, 96), 10);
    EXPECT_EQ(ScaleByDpi(-10, 100, 96), -10);

    // Source 0: the main form's density, 96 until the program installs its source.
    const TPixelsPerInchSource previous = SetPixelsPerInchSource(nullptr);
    EXPECT_EQ(ScaleByDpi(100, 120, 0), 125);
    SetPixelsPerInchSource([] { return 120; });
    EXPECT_EQ(ScaleByDpi(96, 144, 0), 115);
    EXPECT_EQ(ScaleByDpi(96, 120, 0), 96);
    SetPixelsPerInchSource(previous);
}

TEST(AdjustFrameHeightTest, AllowsForFramesOtherThanFourPixels) {
    for (int frame : {4, 3, 0})
        for (int kind : {0, 1})
            EXPECT_EQ(AdjustFrameHeight(400, kind, frame), 400) << frame;
    EXPECT_EQ(AdjustFrameHeight(400, 0, 5), 398);
    EXPECT_EQ(AdjustFrameHeight(400, 1, 5), 396);
    EXPECT_EQ(AdjustFrameHeight(400, 2, 5), 400);
    // Qt sizes the client area, so the program's own frame height means no adjustment.
    EXPECT_EQ(AdjustFrameHeight(400, 0), 400);
}

TEST(ColorToGrayTest, MeanRoundedToTheNearest) {
    struct Case {
        qint32 color;
        qint32 grey;
    };
    const Case cases[] = {
        {0x1F140A, 0x141414}, // 10 + 20 + 31 = 61: 20.33 → 20
        {0x010000, 0x000000}, // 1/3 → 0 (a non-black colour may turn black)
        {0x010100, 0x010101}, // 2/3 → 1
        {0xFEFFFF, 0xFFFFFF}, // 254.67 → 255
        {0x0000FF, 0x555555}, // exactly 85
        {0xFFFFFF, 0xFFFFFF}, // white and black unchanged
        {0x000000, 0x000000},
        {qint32(0xFF00000F), 0x808080}, // a system colour reference
        {0x1FFFFFFF, 0x808080},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToGray(c.color), c.grey) << std::hex << c.color;
}

// The save-location rule on temporary folders, with a scripted shell and message service and
// a registry file without "EnableLUA" unless a test writes one.
class SaveLocationTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString registry = dir.filePath(QStringLiteral("registry.ini"));
    ScopedEnv registryEnv{"TAXLINK_REGISTRY", registry.toLocal8Bit()};
    ScopedEnv drivesEnv{"TAXLINK_DRIVES", dir.filePath(QStringLiteral("drives.ini")).toLocal8Bit()};
    ScriptedShell shell;
    ScopedShell shellScope{shell};
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService messageScope{messages};

    QString writable = folder(QStringLiteral("writable"));
    QString locked = folder(QStringLiteral("locked"));

    void SetUp() override { shell.unwritable << locked; }

    QString folder(const QString& name) {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name);
    }
    void switchUacOn() {
        platformtest::writeBytes(
            registry, "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System]\r\n"
                      "\"EnableLUA\"=dword:00000001\r\n");
    }
};

TEST_F(SaveLocationTest, CheckSaveFolderAcceptsWritableAndCreatablePlaces) {
    QString folder = writable;
    EXPECT_TRUE(CheckSaveFolder(folder));
    EXPECT_EQ(folder, writable + u'/');

    // A missing folder counts by the folder above it that exists, where it would be created.
    folder = writable + QStringLiteral("/new/deeper");
    EXPECT_TRUE(CheckSaveFolder(folder));
    EXPECT_EQ(folder, writable + QStringLiteral("/new/deeper/"));

    // The root file system is writable here and User Account Control is off.
    folder = QStringLiteral("/");
    EXPECT_TRUE(CheckSaveFolder(folder));
    EXPECT_EQ(folder, QStringLiteral("/"));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(SaveLocationTest, CheckSaveFolderAsksForAnUnwritableOrUncreatablePlace) {
    for (const QString& refused : {locked, locked + QStringLiteral("/missing/sub")}) {
        messages.answers = {mrNo};
        QString folder = refused;
        EXPECT_FALSE(CheckSaveFolder(folder)) << refused.toStdString();
        EXPECT_EQ(folder, refused);

        messages.answers = {mrYes};
        EXPECT_TRUE(CheckSaveFolder(folder));
        EXPECT_EQ(folder, GetMyDocumentsDir()); // no trailing "/"
    }
    ASSERT_EQ(messages.messages.size(), 4);
    EXPECT_EQ(messages.messages[0].text, kQuestion);
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages.messages[0].buttons, mbYesNo);
}

TEST_F(SaveLocationTest, WithUserAccountControlTheSystemDriveRootIsRefused) {
    switchUacOn();
    messages.answers = {mrNo};
    QString folder = QStringLiteral("/");
    EXPECT_FALSE(CheckSaveFolder(folder));
    EXPECT_EQ(messages.texts(), QStringList{kQuestion});

    // The root as the drive map gives it: the system folder's drive.
    platformtest::writeBytes(dir.filePath(QStringLiteral("drives.ini")),
                             QByteArray("[DRIVES]\r\nC=") + writable.toLocal8Bit() + "\r\nD=/\r\n");
    EXPECT_EQ(SystemDriveRoot(), QStringLiteral("/")); // D holds /usr/lib but maps to "/" itself
    platformtest::writeBytes(dir.filePath(QStringLiteral("drives.ini")), "[DRIVES]\r\nC=/usr\r\n");
    EXPECT_EQ(SystemDriveRoot(), QStringLiteral("/usr"));
}

TEST_F(SaveLocationTest, CheckSaveFilePathJoinsWithOneDelimiter) {
    struct Case {
        QString path;
        int answer;
        bool result;
        QString expected;
    };
    const QString docs = GetMyDocumentsDir();
    const Case cases[] = {
        {writable + QStringLiteral("/a.fbk"), mrNone, true, writable + QStringLiteral("/a.fbk")},
        {writable + QStringLiteral("/missing/a.fbk"), mrNone, true, writable + QStringLiteral("/missing/a.fbk")},
        {locked + QStringLiteral("/missing/a.fbk"), mrYes, true, docs + QStringLiteral("/a.fbk")},
        {locked + QStringLiteral("/a.fbk"), mrNo, false, locked + QStringLiteral("/a.fbk")},
        // A bare name stays: it would otherwise land in the root folder.
        {QStringLiteral("a.fbk"), mrNone, true, QStringLiteral("a.fbk")},
    };
    for (const Case& c : cases) {
        messages.messages.clear();
        if (c.answer != mrNone)
            messages.answers = {c.answer};
        QString path = c.path;
        EXPECT_EQ(CheckSaveFilePath(path), c.result) << c.path.toStdString();
        EXPECT_EQ(path, c.expected);
        EXPECT_EQ(messages.messages.size(), c.answer == mrNone ? 0 : 1) << c.path.toStdString();
    }
}

TEST_F(SaveLocationTest, SelectSaveFolderShowsTheBrowserAgainOnNo) {
    switchUacOn();
    shell.folderAnswers = {QStringLiteral("/"), writable};
    messages.answers = {mrNo};
    QString folder = QStringLiteral("/start");
    EXPECT_TRUE(SelectSaveFolder(u8("保存先"), folder, false, QStringLiteral("/root-of-tree")));
    EXPECT_EQ(folder, writable);
    ASSERT_EQ(shell.browsed.size(), 2);
    EXPECT_EQ(shell.browsed[1].InitialFolder, QStringLiteral("/start"));
    EXPECT_EQ(shell.browsed[1].Root, QStringLiteral("/root-of-tree"));
    EXPECT_EQ(shell.browsed[1].Title, u8("保存先"));

    // Yes takes the Documents folder; skipping the rule takes any folder; cancel gives false.
    shell.folderAnswers = {locked};
    messages.answers = {mrYes};
    EXPECT_TRUE(SelectSaveFolder(QString(), folder, false));
    EXPECT_EQ(folder, GetMyDocumentsDir());
    shell.folderAnswers = {locked};
    EXPECT_TRUE(SelectSaveFolder(QString(), folder, true));
    EXPECT_EQ(folder, locked);
    EXPECT_FALSE(SelectSaveFolder(QString(), folder, true));
    EXPECT_EQ(folder, locked);
}

TEST_F(SaveLocationTest, SelectSaveFolderRefusesPathsOver255Bytes) {
    // 127 double-byte characters and "/": 255 bytes pass; one more byte is refused.
    const QString fits = u8("/") + QString(127, u'漢');
    shell.folderAnswers = {fits, fits + u'a'};
    QString folder;
    EXPECT_TRUE(SelectSaveFolder(QString(), folder, true));
    EXPECT_EQ(folder, fits);
    EXPECT_FALSE(SelectSaveFolder(QString(), folder, true));
    EXPECT_EQ(folder, fits);
    EXPECT_EQ(messages.texts(),
              QStringList{u8("選択した場所(パス)の文字長が処理できる範囲を超えました。\r別の場所を選択して下さい。\r")});
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
}

TEST_F(SaveLocationTest, ExecuteSaveDialogMovesARefusedFileToDocuments) {
    TSaveDialog dialog;
    dialog.FileName = QStringLiteral("start.fbk");
    shell.saveAnswers = {locked + QStringLiteral("/a.fbk"), locked + QStringLiteral("/b.fbk")};
    messages.answers = {mrNo, mrYes};
    QString fileName;
    EXPECT_TRUE(ExecuteSaveDialog(dialog, fileName));
    EXPECT_EQ(fileName, GetMyDocumentsDir() + QStringLiteral("/b.fbk"));
    EXPECT_EQ(dialog.FileName, fileName);
    ASSERT_EQ(shell.saveRuns.size(), 2);
    EXPECT_EQ(shell.saveRuns[0].FileName, QStringLiteral("start.fbk"));

    shell.saveAnswers = {writable + QStringLiteral("/c.fbk")};
    EXPECT_TRUE(ExecuteSaveDialog(dialog, fileName));
    EXPECT_EQ(fileName, writable + QStringLiteral("/c.fbk"));
    EXPECT_FALSE(ExecuteSaveDialog(dialog, fileName)); // cancelled
    EXPECT_EQ(fileName, writable + QStringLiteral("/c.fbk"));
}

TEST(ShellDialogsTest, DefaultCancelsAndTheQtFilterIsConverted) {
    QString name = QStringLiteral("old");
    EXPECT_FALSE(SelectComputer(QStringLiteral("title"), name));
    EXPECT_EQ(name, QStringLiteral("old"));
    EXPECT_EQ(QtShellDialogs::nameFilters(u8("バックアップ|*.fbk;*.bak|すべて|*.*")),
              (QStringList{u8("バックアップ (*.fbk *.bak)"), u8("すべて (*.*)")}));
}

namespace {

class EventCounter : public QWidget {
public:
    QList<QEvent::Type> seen;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User || e->type() == QEvent::MouseButtonPress || e->type() == QEvent::KeyPress)
            seen << e->type();
        return QWidget::event(e);
    }
};

} // namespace

TEST(WindowHelpersTest, FlushDropsMouseAndKeyEventsOfTheWindowOnly) {
    EventCounter window;
    auto* child = new EventCounter;
    child->setParent(&window);
    EventCounter other;
    const QPointF at(1, 1);
    for (EventCounter* target : {&window, child, &other}) {
        QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, at, at, Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
        QCoreApplication::postEvent(target, new QEvent(QEvent::User));
    }
    FlushMouseKeyMessages(&window);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.seen, QList<QEvent::Type>{QEvent::User});
    EXPECT_EQ(child->seen, QList<QEvent::Type>{QEvent::User});
    EXPECT_EQ(other.seen, (QList<QEvent::Type>{QEvent::MouseButtonPress, QEvent::KeyPress, QEvent::User}));
}

TEST(WindowHelpersTest, FindWindowHandleByClassAndTitle) {
    QDialog dialog;
    dialog.setWindowTitle(u8("データ選択"));
    QWidget plain;
    plain.setWindowTitle(u8("一覧"));
    EXPECT_EQ(FindWindowHandle(QString(), u8("データ選択")), &dialog);
    EXPECT_EQ(FindWindowHandle(QStringLiteral("qdialog"), QString()), &dialog);
    EXPECT_EQ(FindWindowHandle(QStringLiteral("QWidget"), u8("一覧")), &plain);
    EXPECT_EQ(FindWindowHandle(QStringLiteral("QWidget"), u8("データ選択")), nullptr);
    EXPECT_EQ(FindWindowHandle(QString(), QString()), nullptr);
    EXPECT_EQ(FindWindowHandle(QStringLiteral("Desktop"), QString()), nullptr);
}

TEST(WindowHelpersTest, TextWidthScaledCutsTheFraction) {
    QFont font;
    font.setPixelSize(13);
    const int width = QFontMetrics(font).horizontalAdvance(QStringLiteral("abc"));
    ASSERT_GT(width, 0);
    EXPECT_EQ(GetTextWidthScaled(QStringLiteral("abc"), font, 1.0), width);
    EXPECT_EQ(GetTextWidthScaled(QStringLiteral("abc"), font, 0.999), width - 1);
}
