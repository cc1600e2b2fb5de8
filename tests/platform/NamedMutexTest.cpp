#include "platform/NamedMutex.h"
#include "platform/RuntimeDir.h"
#include "tests/platform/PlatformTestUtil.h"
#include "tests/support/TestEnvironment.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using platformtest::ScopedEnv;

namespace {

QString helperPath() {
    QString dir = testsupport::helperDir();
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return dir + QStringLiteral("/platform_mutex_holder");
}

class NamedMutexTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScopedEnv runtime{"XDG_RUNTIME_DIR", dir.path().toLocal8Bit()};
};

TEST_F(NamedMutexTest, HeldByAnotherProcessUntilItEnds) {
    enum class End { ByInput, ByKill };
    for (End end : {End::ByInput, End::ByKill}) {
        QProcess holder;
        holder.start(helperPath(), {QStringLiteral("DIRU_RENDO")});
        ASSERT_TRUE(holder.waitForStarted()) << helperPath().toStdString();
        ASSERT_TRUE(holder.waitForReadyRead(5000));
        ASSERT_EQ(holder.readLine().trimmed(), "held");

        EXPECT_TRUE(NamedMutex::exists(QStringLiteral("DIRU_RENDO")));
        EXPECT_TRUE(NamedMutex::exists(QStringLiteral("DIRU_RENDO"))); // a check does not take it
        EXPECT_FALSE(NamedMutex::exists(QStringLiteral("diru_rendo")));
        {
            const NamedMutex mine = NamedMutex::create(QStringLiteral("DIRU_RENDO"));
            EXPECT_TRUE(mine.alreadyExisted());
            EXPECT_FALSE(mine.isHeld());
        }
        EXPECT_TRUE(NamedMutex::exists(QStringLiteral("DIRU_RENDO")));

        if (end == End::ByInput)
            holder.write("\n");
        else
            holder.kill();
        ASSERT_TRUE(holder.waitForFinished(5000));
        EXPECT_FALSE(NamedMutex::exists(QStringLiteral("DIRU_RENDO"))) << (end == End::ByKill ? "killed" : "ended");
    }
}

TEST_F(NamedMutexTest, HeldInThisProcessUntilReleased) {
    {
        NamedMutex first = NamedMutex::create(QStringLiteral("TESSARO000"));
        EXPECT_TRUE(first.isHeld());
        EXPECT_FALSE(first.alreadyExisted());
        EXPECT_TRUE(NamedMutex::exists(QStringLiteral("TESSARO000")));
        EXPECT_FALSE(NamedMutex::exists(QStringLiteral("TESSARO_TOOLS")));
        EXPECT_TRUE(NamedMutex::create(QStringLiteral("TESSARO000")).alreadyExisted());

        NamedMutex moved = std::move(first);
        EXPECT_TRUE(NamedMutex::exists(QStringLiteral("TESSARO000")));
        moved.release();
        EXPECT_FALSE(NamedMutex::exists(QStringLiteral("TESSARO000")));
    }
    // The lock file left behind is stale, as is one nobody ever held.
    EXPECT_TRUE(QFileInfo::exists(NamedMutex::lockFilePath(QStringLiteral("TESSARO000"))));
    EXPECT_FALSE(NamedMutex::exists(QStringLiteral("TESSARO000")));
    platformtest::writeBytes(NamedMutex::lockFilePath(QStringLiteral("TESSARO_TOOLS")), {});
    EXPECT_FALSE(NamedMutex::exists(QStringLiteral("TESSARO_TOOLS")));
    EXPECT_TRUE(NamedMutex::create(QStringLiteral("TESSARO_TOOLS")).isHeld());
}

TEST_F(NamedMutexTest, NamesWithSlashesStayInTheRuntimeFolder) {
    const QString path = NamedMutex::lockFilePath(QStringLiteral("Global\\A/B"));
    EXPECT_EQ(QFileInfo(path).absolutePath(), dir.path());
    const NamedMutex m = NamedMutex::create(QStringLiteral("Global\\A/B"));
    EXPECT_TRUE(NamedMutex::exists(QStringLiteral("Global\\A/B")));
}

TEST(RuntimeDir, UsesXdgRuntimeDirOnlyWhenItExists) {
    QTemporaryDir xdg;
    const QString fallback = QStringLiteral("/tmp/taxlink-%1").arg(getuid());
    struct Case {
        std::optional<QByteArray> env;
        QString expected;
    } cases[] = {
        {xdg.path().toLocal8Bit(), xdg.path()},
        {std::nullopt, fallback},
        {QByteArray("/nonexistent/run"), fallback},
    };
    for (const auto& c : cases) {
        ScopedEnv env("XDG_RUNTIME_DIR", c.env);
        EXPECT_EQ(runtimeDir(), c.expected);
    }
    struct stat st {};
    ASSERT_EQ(lstat(fallback.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

} // namespace
