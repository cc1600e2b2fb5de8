#include "../core/QtPrinters.h"
#include "../support/RecordingMessageService.h"

#include "controls/buttons/TxPlButton.h"
#include "controls/dialogs/SlotGuard.h"
#include "core/EIBError.h"
#include "core/Exception.h"

#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace controls;

TEST(SlotGuard, ShowsErrorsAndSwallowsTheSilentAbort) {
    struct Case {
        const char* name;
        std::function<void()> body;
        bool completes;
        QStringList shown;
    };
    const Case cases[] = {
        {"nothing thrown", [] {}, true, {}},
        {"program error", [] { throw core::Exception(QStringLiteral("処理に失敗しました。")); }, false,
         {QStringLiteral("処理に失敗しました。")}},
        {"silent abort", [] { core::Abort(); }, false, {}},
        {"database error", [] { throw core::EIBError(335544344, -902, QStringLiteral("I/O error")); }, false,
         {QStringLiteral("I/O error")}},
        {"standard error", [] { throw std::runtime_error("bad thing"); }, false, {QStringLiteral("bad thing")}},
        {"anything else", [] { throw 42; }, false, {QStringLiteral("予期しないエラーが発生しました。")}},
    };
    for (const Case& c : cases) {
        testsupport::RecordingMessageService messages;
        testsupport::ScopedMessageService installed(messages);
        EXPECT_EQ(RunGuarded(c.body), c.completes) << c.name;
        ASSERT_EQ(messages.messages.size(), c.shown.size()) << c.name;
        if (!c.shown.isEmpty()) {
            EXPECT_TRUE(messages.messages.at(0).text.contains(c.shown.at(0))) << c.name;
            EXPECT_EQ(messages.messages.at(0).kind, core::MessageKind::Error) << c.name;
            EXPECT_EQ(messages.messages.at(0).buttons, core::MessageButtons(core::mbOK)) << c.name;
        }
    }
}

TEST(SlotGuard, GuardedSlotKeepsTheEventLoopRunning) {
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed(messages);
    QTimer timer;
    timer.setSingleShot(true);
    int calls = 0;
    QObject::connect(&timer, &QTimer::timeout, Guarded([&] {
                         ++calls;
                         throw core::Exception(QStringLiteral("タイマーの処理に失敗しました。"));
                     }));
    timer.start(0);
    for (int i = 0; i < 100 && calls == 0; ++i)
        QTest::qWait(10);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("タイマーの処理に失敗しました。")});

    // Arguments of the signal reach the guarded slot.
    QObject sender;
    QString seen;
    QObject::connect(&sender, &QObject::objectNameChanged, Guarded([&](const QString& name) { seen = name; }));
    sender.setObjectName(QStringLiteral("名前"));
    EXPECT_EQ(seen, QStringLiteral("名前"));
}

TEST(SlotGuard, ErrorOfAnEventHandlerIsShownAtTheEventBoundary) {
    testsupport::RecordingMessageService messages;
    testsupport::ScopedMessageService installed(messages);
    TxPlButton button;
    button.OnClick = [](QObject*) { throw core::Exception(QStringLiteral("ボタンの処理に失敗しました。")); };
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_NO_THROW(NotifyGuarded(&button, &enter));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("ボタンの処理に失敗しました。")});

    // The silent abort says nothing; an event without error is delivered as usual.
    button.OnClick = [](QObject*) { core::Abort(); };
    EXPECT_NO_THROW(NotifyGuarded(&button, &enter));
    int clicks = 0;
    button.OnClick = [&](QObject*) { ++clicks; };
    EXPECT_TRUE(NotifyGuarded(&button, &enter));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(messages.messages.size(), 1);
}
