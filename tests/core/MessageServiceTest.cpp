// The replaceable message service, the quit request and the silent abort.
#include "core/Exception.h"
#include "core/ui/MessageService.h"
#include "core/ui/Quit.h"

#include "tests/support/RecordingMessageService.h"
#include "tests/support/RecordingQuit.h"

#include <gtest/gtest.h>

using namespace core;

TEST(MessageServiceTest, WithoutADialogQuestionsGetTheCautiousAnswer) {
    MessageService* previous = setMessageService(nullptr);
    EXPECT_EQ(showMessage(MessageKind::Confirmation, QStringLiteral("続行しますか？"), mbYesNoCancel, mbYes), mrCancel);
    EXPECT_EQ(showMessage(MessageKind::Confirmation, QStringLiteral("削除しますか？"), mbYesNo, mbYes), mrNo);
    EXPECT_EQ(showMessage(MessageKind::Error, QStringLiteral("失敗しました。")), mrOk);
    EXPECT_EQ(askPassword(QStringLiteral("パスワード"), QStringLiteral("入力")), std::nullopt);
    setMessageService(previous);
}

TEST(MessageServiceTest, AnInstalledServiceAnswersAndRecords) {
    testsupport::RecordingMessageService fake;
    fake.answers = {mrNo};
    fake.textAnswers = {QStringLiteral("secret")};
    {
        testsupport::ScopedMessageService installed(fake);
        EXPECT_EQ(showMessage(MessageKind::Confirmation, QStringLiteral("A"), mbYesNo), mrNo);
        EXPECT_EQ(showMessage(MessageKind::Confirmation, QStringLiteral("B"), mbYesNo, mbNo), mrNo);
        EXPECT_EQ(showMessageWithDetailText(MessageKind::Error, QStringLiteral("C"), QStringLiteral("detail")), mrOk);
        EXPECT_EQ(askPassword(QStringLiteral("P"), QStringLiteral("Q"), 8), std::optional<QString>(QStringLiteral("secret")));
    }
    EXPECT_EQ(fake.texts(), QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    EXPECT_EQ(fake.messages[2].detail, QStringLiteral("detail"));
    ASSERT_EQ(fake.prompts.size(), 1);
    EXPECT_TRUE(fake.prompts[0].password);
    EXPECT_NE(&messageService(), &fake);
}

TEST(QuitTest, RequestsGoThroughTheInstalledHandler) {
    testsupport::RecordingQuit quit;
    requestQuit(2);
    EXPECT_EQ(quit.exitCodes, QList<int>({2}));
}

TEST(ExceptionTest, AbortIsAnExceptionWithoutUserText) {
    try {
        Abort();
    } catch (const Exception& e) {
        EXPECT_NE(dynamic_cast<const EAbort*>(&e), nullptr);
        return;
    }
    FAIL() << "Abort did not throw";
}
