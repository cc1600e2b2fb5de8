#include "platform/CallerLink.h"
#include "tests/platform/PlatformTestUtil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using namespace platform;
using platformtest::ScopedEnv;

namespace {

class CallerLinkTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScopedEnv runtime{"XDG_RUNTIME_DIR", dir.path().toLocal8Bit()};
};

TEST_F(CallerLinkTest, CallerReceivesDisableResultAndEnableInOrder) {
    CallerWindow caller(4242);
    EXPECT_TRUE(caller.isEnabled());

    ASSERT_TRUE(enableWindow(4242, false));
    ASSERT_TRUE(caller.waitForLines(1, 5000));
    EXPECT_FALSE(caller.isEnabled());

    EXPECT_TRUE(setForegroundWindow(4242));
    ASSERT_TRUE(postMessageToWindow(4242, 0x8001, 1, -2));
    ASSERT_TRUE(postMessageToWindow(4242, std::numeric_limits<quint32>::max(), std::numeric_limits<quint64>::max(),
                                    std::numeric_limits<qint64>::min()));
    ASSERT_TRUE(enableWindow(4242, true));
    ASSERT_TRUE(caller.waitForLines(4, 5000));
    EXPECT_EQ(caller.lines(), (QStringList{"enable 0", "32769 1 -2",
                                           "4294967295 18446744073709551615 -9223372036854775808", "enable 1"}));
    EXPECT_TRUE(caller.isEnabled());
}

TEST_F(CallerLinkTest, NoWindowReceivesNothing) {
    CallerWindow other(7);
    for (WindowHandle h : {WindowHandle(0), WindowHandle(8)}) {
        EXPECT_FALSE(postMessageToWindow(h, 0x8001, 1, 0)) << h;
        EXPECT_FALSE(enableWindow(h, false)) << h;
        EXPECT_FALSE(setForegroundWindow(h)) << h;
    }
    EXPECT_FALSE(other.waitForLines(1, 200));
    EXPECT_THROW(CallerWindow(0), std::runtime_error);
    EXPECT_THROW(CallerWindow(7), std::runtime_error); // handle taken by a live window
}

TEST_F(CallerLinkTest, ClosedWindowIsGone) {
    { CallerWindow caller(99); }
    EXPECT_FALSE(isWindow(99));
    EXPECT_FALSE(postMessageToWindow(99, 1, 0, 0));
    CallerWindow again(99); // the handle can be listened on again
    EXPECT_TRUE(postMessageToWindow(99, 1, 0, 0));
    EXPECT_TRUE(again.waitForLines(1, 5000));
}

} // namespace
